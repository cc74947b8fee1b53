/* The program's version, used by the version record, the About box and the report. */
#ifndef VURODOZ_VERSION_H
#define VURODOZ_VERSION_H

#define VURODOZ_VERSION         "2.11.000"
#define VURODOZ_VERSION_BINARY  2,11,0,0

#endif
