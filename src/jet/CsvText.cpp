#include "CsvText.h"

namespace corvane::jet {

void appendCsvField(std::string& out, std::string_view text, bool quote)
{
    if (!quote && text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(text);
        return;
    }
    out.push_back('"');
    for (char c : text) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

}  // namespace corvane::jet
