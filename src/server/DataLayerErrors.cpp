#include "DataLayerErrors.h"

#include <string>

namespace corvane::data_layer {

using automation::AutomationError;

AutomationError noCurrentRecord()
{
    return AutomationError::fromNumber(kNoCurrentRecord, u"Either BOF or EOF is True, or the current record has been "
                                                         u"deleted. Requested operation requires a current record.");
}

AutomationError itemNotFound()
{
    return AutomationError::fromNumber(
        kItemNotFound, u"Item cannot be found in the collection corresponding to the requested name or ordinal.");
}

AutomationError objectClosed()
{
    return AutomationError::fromNumber(kObjectClosed, u"Operation is not allowed when the object is closed.");
}

AutomationError objectOpen()
{
    return AutomationError::fromNumber(kObjectOpen, u"Operation is not allowed when the object is open.");
}

AutomationError connectionUnusable()
{
    return AutomationError::fromNumber(
        kConnectionUnusable,
        u"The connection cannot be used to perform this operation. It is either closed or invalid in this context.");
}

AutomationError fileNotFound(std::u16string_view path)
{
    return AutomationError(kFileError, u"Could not find file '" + std::u16string(path) + u"'.");
}

AutomationError unrecognizedFormat(std::u16string_view path)
{
    return AutomationError(kFileError, u"Unrecognized database format '" + std::u16string(path) + u"'.");
}

AutomationError tableNotFound(std::u16string_view table)
{
    return AutomationError(kNoSuchTable, u"The database engine cannot find the input table or query '" +
                                             std::u16string(table) +
                                             u"'. Make sure it exists and that its name is spelled correctly.");
}

AutomationError indexNotFound(std::u16string_view index)
{
    return AutomationError(kNoSuchIndex, u"'" + std::u16string(index) + u"' isn't an index in this table.");
}

}  // namespace corvane::data_layer
