// The table's row with any machine texts, in any code page, into a buffer
// of any size: the row stays in its buffer, and a spreadsheet reading it
// back gets every field as it was, or it is refused whole.
#include "table.h"
#include "../e2e/support/csv.h"

#include <stdlib.h>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size < 1)
        return 0;
    std::string input((const char *)data + 1, size - 1);
    // Fields apart at each zero byte.
    std::vector<std::string> fields(1);
    for (char c : input) {
        if (c != '\0')
            fields.back() += c;
        else if (fields.size() < TABLE_COLUMNS)
            fields.emplace_back();
    }
    const char *pointers[TABLE_COLUMNS];
    for (size_t i = 0; i < fields.size(); i++)
        pointers[i] = fields[i].c_str();

    int room = 1 + data[0] * 8;
    std::vector<char> row(room + 1, '#');
    int length = FormatTableRow(row.data(), room, pointers, (int)fields.size());
    if (row[room] != '#' || (int)strlen(row.data()) != length || length >= room)
        abort();
    if (length > 0 && ReadCsv(row.data()) != std::vector<std::vector<std::string>>{fields})
        abort();

    return 0;
}
