#include "TableDump.h"

#include "CsvText.h"
#include "FieldText.h"
#include "JetText.h"
#include "MalformedFile.h"
#include "server/DataLayerErrors.h"

namespace corvane::jet {

std::string dumpTable(TableScan& scan, std::u16string_view path)
{
    std::string out;
    for (std::size_t i = 0; i < scan.columns().size(); ++i) {
        if (i > 0) out.push_back(',');
        appendCsvField(out, toUtf8(scan.columns()[i].name), false);
    }
    out.push_back('\n');
    try {
        scan.forEachRow([&](std::span<const StoredField> fields) {
            for (std::size_t i = 0; i < fields.size(); ++i) {
                if (i > 0) out.push_back(',');
                appendFieldText(out, fields[i], scan.file());
            }
            out.push_back('\n');
        });
    } catch (const MalformedFile&) {
        throw data_layer::unrecognizedFormat(path);
    }
    return out;
}

}  // namespace corvane::jet
