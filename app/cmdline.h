/* What the command line asks for: the dialog program, the silent report
   into a file, a row of a table, or both, or the usage; and the silent run's
   exit codes of its own. */
#ifndef VURODOZ_CMDLINE_H
#define VURODOZ_CMDLINE_H

#include <windows.h>

#define COMMAND_DIALOG          0
#define COMMAND_REPORT          1
#define COMMAND_USAGE           2
#define COMMAND_WRONG           3

/* The report's own results (report.h) are the exit codes 0, 2, 3 and 5;
   the table's (table.h) 0, 2, 3 and 11. */
#define EXIT_WRONG_COMMAND_LINE 1
/* The machine facts are collected only where a drive is a fixed disk. */
#define EXIT_NO_FIXED_DISK      4
/* The HDD Test that "/d X" asks for did not give rates: X is no fixed disk;
   it has too little free space; a write or read failed; the test could not
   start (no memory for its buffer, or VKT00.dat to VKT99.dat all taken); it
   was stopped by a log-off, a shutdown or a request to close. No report is
   written then, and no row. */
#define EXIT_DRIVE_NOT_FIXED    6
#define EXIT_DISK_NO_SPACE      7
#define EXIT_DISK_IO_ERROR      8
#define EXIT_DISK_NOT_STARTED   9
#define EXIT_DISK_STOPPED       10

/* What a silent run is to do: the report's file and the table's, each
   empty where not asked for, and the drive of the HDD Test (0 to 25; -1
   without one). */
struct CommandRequest {
    char ReportPath[MAX_PATH];
    char TablePath[MAX_PATH];
    int  Drive;
};

/* For COMMAND_REPORT, request holds at least one of the two files; for
   every other command it is empty. */
int ParseCommandLine(const char *line, CommandRequest *request);

#endif
