#pragma once

#include <QStringList>

namespace corvane::app {

// What the executable was asked to do. Started by the bus it gets no
// arguments and serves; the switches are for installing it.
enum class Command { Serve, RegisterService, UnregisterService, PrintVersion, PrintUsage, Unknown };

// `arguments` without the program name.
Command commandOf(const QStringList& arguments);

inline constexpr char kProductName[] = "CorvaneSim";
inline constexpr char kProductVersion[] = CORVANE_PRODUCT_VERSION;

extern const char kUsage[];

}  // namespace corvane::app
