// The table's row with any machine texts, in any code page, into a buffer
// of any size: the row stays in its buffer, and a spreadsheet reading it
// back gets every field as it was, or it is refused whole; what goes after
// a table's last byte starts on a line of its own.
#include "table.h"

#include <stdlib.h>
#include <string>
#include <vector>

// RFC 4180 as a spreadsheet reads one record: the fields, or none where the
// text is no single record ending in CR LF.
static std::vector<std::string> ReadRecord(const std::string &text)
{
    std::vector<std::string> fields(1);
    size_t i = 0, n = text.size();
    for (;;) {
        if (i < n && text[i] == '"') {
            for (i++; i < n && (text[i] != '"' || text.compare(i, 2, "\"\"") == 0); i++) {
                fields.back() += text[i];
                i += text[i] == '"';
            }
            if (i++ >= n)
                return {};
        } else {
            for (; i < n && !strchr(",\r\n\"", text[i]); i++)
                fields.back() += text[i];
        }
        if (i >= n || text[i] != ',')
            return text.compare(i, std::string::npos, "\r\n") == 0 ? fields : std::vector<std::string>();
        fields.emplace_back();
        i++;
    }
}

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
    if (length > 0 && ReadRecord(row.data()) != fields)
        abort();

    std::vector<char> added(TABLE_TEXT_SIZE + 1, '#');
    int more = ComposeTableAddition(added.data(), TABLE_TEXT_SIZE, data[0] % 3, data[0] % 2 ? '\n' : 'x',
                                    length > 0 ? row.data() : "");
    std::string text(added.data());
    if (added[TABLE_TEXT_SIZE] != '#' || (int)text.size() != more
        || (more > 0 && data[0] % 3 != 0 && data[0] % 2 == 0 && text.compare(0, 2, "\r\n") != 0))
        abort();
    DWORD seed = data[0], pause = NextTablePause(&seed);
    if (pause < TABLE_PAUSE_MIN_MS || pause >= TABLE_PAUSE_MIN_MS + TABLE_PAUSE_SPREAD_MS)
        abort();
    return 0;
}
