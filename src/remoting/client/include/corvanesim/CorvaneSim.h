#pragma once

// The CorvaneSim client library: connect, create a Data session, query.
//   auto connection = corvane::client::Connection::sessionBus();
//   auto data = corvane::client::Data::create(connection);
#include "Connection.h"
#include "Data.h"
#include "Enumeration.h"
#include "ObjectRef.h"
#include "RemoteError.h"
#include "SimServer.h"
#include "Tag.h"
#include "TagDefinition.h"
#include "Tags.h"
#include "Text.h"
