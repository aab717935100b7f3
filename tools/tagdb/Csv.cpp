#include "Csv.h"

#include <iterator>

namespace corvane::tagdb {

std::vector<CsvRecord> readCsv(std::istream& in)
{
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<CsvRecord> records;
    std::size_t i = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    std::size_t line = 1;
    while (i < text.size()) {
        if (text[i] == '\n' || text[i] == '\r') {  // a blank line
            i += text.compare(i, 2, "\r\n") == 0 ? 2 : 1;
            ++line;
            continue;
        }
        CsvRecord record{line, {}};
        for (;;) {
            CsvField field;
            if (i < text.size() && text[i] == '"') {
                field.quoted = true;
                ++i;
                for (;;) {
                    if (i >= text.size()) throw CsvError("line " + std::to_string(record.line) + ": a quoted field is not closed");
                    if (text[i] == '"') {
                        if (i + 1 < text.size() && text[i + 1] == '"') {
                            field.text.push_back('"');
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (text[i] == '\n') ++line;
                    field.text.push_back(text[i++]);
                }
                if (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r')
                    throw CsvError("line " + std::to_string(line) + ": text after a closing quote");
            } else {
                while (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r') field.text.push_back(text[i++]);
            }
            record.fields.push_back(std::move(field));
            if (i < text.size() && text[i] == ',') {
                ++i;
                continue;
            }
            break;
        }
        if (i < text.size()) {
            i += text.compare(i, 2, "\r\n") == 0 ? 2 : 1;
            ++line;
        }
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace corvane::tagdb
