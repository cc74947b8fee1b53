/* Resource ids of VurOdoz, grouped per dialog. The English copy of every
   dialog and string has the Japanese id plus LANG_OFFSET_ENGLISH. */
#ifndef VURODOZ_RESOURCE_H
#define VURODOZ_RESOURCE_H

#define LANG_OFFSET_ENGLISH     1000

/* Dialog templates (Japanese ids) */
#define IDD_MAIN_9X             101
#define IDD_MAIN_NT             102
#define IDD_PROGRESS            103

/* Main dialog controls */
#define IDC_ABOUT               201
#define IDC_OVERLAY_TEST        202
#define IDC_HDD_TEST            203
#define IDC_SAVE_INFO           205
#define IDC_DRIVE               301
#define IDC_SHOW_INFO           311
#define IDC_OVERLAY_STATUS      401
#define IDC_PCI_BIOS            411
#define IDC_CHIPSET             413
#define IDC_LATENCY             414
#define IDC_WINDOWS             415
#define IDC_COMPUTER            416
#define IDC_READ_BAR            461
#define IDC_WRITE_BAR           462
#define IDC_READ_RATE           463
#define IDC_WRITE_RATE          464

/* Progress dialog controls */
#define IDC_STOP                471
#define IDC_PROGRESS            472
#define IDC_STATUS              473

/* Strings (Japanese ids) */
#define IDS_OVERLAY_QUESTION    501
#define IDS_STATUS_S3           502
#define IDS_STATUS_RIVA         503
#define IDS_STATUS_NOT_TESTED   504
#define IDS_STATUS_UNSUPPORTED  505
#define IDS_STATUS_LOW_RES      506
#define IDS_NO_SPACE            511
#define IDS_ABOUT               512
#define IDS_NO_README           513
#define IDS_USAGE               514
#define IDS_REPORT_KEPT         515

#endif
