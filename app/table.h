/* The report as one row of a CSV table that the machines of a fleet add
   to, many at once: the system's ANSI code page, CR LF, and a header row
   first where the table is new. */
#ifndef VURODOZ_TABLE_H
#define VURODOZ_TABLE_H

#include <windows.h>
#include "report.h"

/* AppendTableRow's results are the report's, and this one: another program
   held the table for all of TABLE_WAIT_MS. */
#define TABLE_HELD              11

#define TABLE_WAIT_MS           30000u
#define TABLE_PAUSE_MIN_MS      20u
#define TABLE_PAUSE_SPREAD_MS   180u

#define TABLE_HEADER "Computer,Date,Version,Windows,Processor,Clock MHz,Processors,Memory MB,Chip Set," \
                     "PCI Latency Timer,PCI BIOS Version,Overlay,Drive,Read,Write,Read KB/s,Write KB/s\r\n"
#define TABLE_COLUMNS           17
/* The header and the longest row the machine's record makes, every field
   twice over, as a field of quotes would take: about 2,200 bytes. */
#define TABLE_TEXT_SIZE         2560

/* Before the HDD Test: REPORT_SAVED where the row can later go into path,
   REPORT_NOT_CREATED where it cannot. The table is left as it is. */
int  CheckTablePlace(const char *path);
/* Adds the machine's row, with the HDD Test's rates where disk is one,
   waiting for another program that holds the table. REPORT_SAVED,
   REPORT_NOT_CREATED, REPORT_WRITE_FAILED or TABLE_HELD; on all but the
   first the table is as it was. */
int  AppendTableRow(const char *path, const ReportDiskRates *disk);

/* The fields as one CSV row with its line end into out (size bytes), each
   field quoted where it holds a comma, a quote or a line break; its length,
   or 0 where it does not fit. */
int  FormatTableRow(char *out, int size, const char *const *fields, int count);
/* What goes after the table's tableSize bytes, whose last is lastByte: a
   line end where the last row lacks one, the header where the table is
   empty, then row. Its length, or 0 where it does not fit. */
int  ComposeTableAddition(char *out, int size, DWORD tableSize, char lastByte, const char *row);
/* The next pause before another try at a held table, from seed. */
DWORD NextTablePause(DWORD *seed);

#endif
