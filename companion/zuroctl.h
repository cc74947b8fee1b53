/* What passes between the program and the ZURORIDE kernel driver: the device
   names, the one control code and the layout of its 8-byte reply. Plain
   defines, so the driver (DDK headers) and the program (Win32) share them. */
#ifndef VURODOZ_ZUROCTL_H
#define VURODOZ_ZUROCTL_H

#define ZURO_DEVICE_TYPE        0x9C41
/* CTL_CODE(ZURO_DEVICE_TYPE, 0x800, METHOD_BUFFERED, FILE_ANY_ACCESS) */
#define ZURO_IOCTL_QUERY_BRIDGE 0x9C412000UL

#define ZURO_KERNEL_DEVICE_NAME L"\\Device\\ZURORIDE"
#define ZURO_KERNEL_LINK_NAME   L"\\DosDevices\\ZURORIDE"
#define ZURO_USER_DEVICE_PATH   "\\\\.\\ZURORIDE"

/* Reply: bytes 0-1 and 7 reserved (zero), little-endian words. */
#define ZURO_REPLY_SIZE           8
#define ZURO_REPLY_VENDOR_OFFSET  2
#define ZURO_REPLY_DEVICE_OFFSET  4
#define ZURO_REPLY_LATENCY_OFFSET 6

#endif
