// A CSV text's records as a spreadsheet reads them (RFC 4180): a field in
// double quotes may hold commas, line ends and quotes, these doubled. A
// record that does not end in CR LF, or holds a stray quote, reads as
// {"<broken>"}, and reading stops there.
#pragma once

#include <string>
#include <vector>

inline std::vector<std::vector<std::string>> ReadCsv(const std::string &text)
{
    std::vector<std::vector<std::string>> records;
    size_t i = 0, n = text.size();
    while (i < n) {
        std::vector<std::string> fields(1);
        for (;;) {
            if (i < n && text[i] == '"') {
                for (i++; i < n && (text[i] != '"' || text.compare(i, 2, "\"\"") == 0); i++) {
                    fields.back() += text[i];
                    i += text[i] == '"';
                }
                if (i++ >= n)
                    break;
            } else {
                for (; i < n && text[i] != ',' && text[i] != '\r' && text[i] != '\n' && text[i] != '"'; i++)
                    fields.back() += text[i];
            }
            if (i >= n || text[i] != ',')
                break;
            fields.emplace_back();
            i++;
        }
        if (i >= n || text.compare(i, 2, "\r\n") != 0) {
            records.push_back({"<broken>"});
            break;
        }
        records.push_back(fields);
        i += 2;
    }
    return records;
}
