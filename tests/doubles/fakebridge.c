/* A stand-in for ZURORIDE.SYS: a real kernel driver that answers the bridge
   query with bytes the test chose. Read once when it starts, from
   HKLM\System\VurOdozFakeBridge: Reply (REG_BINARY, the 8 reply bytes; when
   absent every query fails) and Device (REG_SZ, the name of its device and
   link; ZURORIDE when absent). */
#include <ddk/ntddk.h>

#include "zuroctl.h"

static UCHAR Reply[ZURO_REPLY_SIZE];
static int HasReply;
static WCHAR Name[32] = L"ZURORIDE";
static WCHAR DevicePath[48], LinkPath[48];

DRIVER_INITIALIZE DriverEntry;

static ULONG ReadValue(HANDLE key, const WCHAR *name, void *out, ULONG size)
{
    UCHAR buffer[sizeof(KEY_VALUE_PARTIAL_INFORMATION) + 64];
    PKEY_VALUE_PARTIAL_INFORMATION value = (PKEY_VALUE_PARTIAL_INFORMATION)buffer;
    UNICODE_STRING valueName;
    ULONG got, i;

    RtlInitUnicodeString(&valueName, name);
    if (!NT_SUCCESS(ZwQueryValueKey(key, &valueName, KeyValuePartialInformation, value, sizeof(buffer), &got))
        || value->DataLength > size)
        return 0;
    for (i = 0; i < value->DataLength; i++)
        ((volatile UCHAR *)out)[i] = value->Data[i];
    return value->DataLength;
}

static void ReadConfiguration(void)
{
    UNICODE_STRING path;
    OBJECT_ATTRIBUTES attributes;
    WCHAR name[32];
    HANDLE key;
    ULONG i;

    RtlInitUnicodeString(&path, L"\\Registry\\Machine\\System\\VurOdozFakeBridge");
    InitializeObjectAttributes(&attributes, &path, OBJ_CASE_INSENSITIVE, NULL, NULL);
    if (!NT_SUCCESS(ZwOpenKey(&key, KEY_READ, &attributes)))
        return;
    HasReply = ReadValue(key, L"Reply", Reply, sizeof(Reply)) == sizeof(Reply);
    for (i = 0; i < 32; i++)
        ((volatile WCHAR *)name)[i] = 0;
    if (ReadValue(key, L"Device", name, sizeof(name) - sizeof(WCHAR)) > 0)
        for (i = 0; i < 32; i++)
            Name[i] = name[i];
    ZwClose(key);
}

static void Join(WCHAR *out, const WCHAR *prefix, const WCHAR *name)
{
    while (*prefix)
        *out++ = *prefix++;
    while (*name)
        *out++ = *name++;
    *out = 0;
}

static NTSTATUS Complete(PIRP irp, NTSTATUS status, ULONG_PTR information)
{
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

static NTSTATUS NTAPI CreateClose(PDEVICE_OBJECT device, PIRP irp)
{
    (void)device;
    return Complete(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS NTAPI Control(PDEVICE_OBJECT device, PIRP irp)
{
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    volatile UCHAR *out = (volatile UCHAR *)irp->AssociatedIrp.SystemBuffer;
    ULONG i;

    (void)device;
    if (!HasReply || stack->Parameters.DeviceIoControl.IoControlCode != ZURO_IOCTL_QUERY_BRIDGE
        || stack->Parameters.DeviceIoControl.OutputBufferLength < ZURO_REPLY_SIZE)
        return Complete(irp, STATUS_UNSUCCESSFUL, 0);
    for (i = 0; i < ZURO_REPLY_SIZE; i++)
        out[i] = Reply[i];
    return Complete(irp, STATUS_SUCCESS, ZURO_REPLY_SIZE);
}

static VOID NTAPI Unload(PDRIVER_OBJECT driver)
{
    UNICODE_STRING link;

    RtlInitUnicodeString(&link, LinkPath);
    IoDeleteSymbolicLink(&link);
    IoDeleteDevice(driver->DeviceObject);
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath)
{
    UNICODE_STRING device, link;
    PDEVICE_OBJECT object;
    NTSTATUS status;

    (void)registryPath;
    ReadConfiguration();
    Join(DevicePath, L"\\Device\\", Name);
    Join(LinkPath, L"\\DosDevices\\", Name);
    RtlInitUnicodeString(&device, DevicePath);
    RtlInitUnicodeString(&link, LinkPath);
    status = IoCreateDevice(driver, 0, &device, ZURO_DEVICE_TYPE, 0, FALSE, &object);
    if (NT_SUCCESS(status) && !NT_SUCCESS(status = IoCreateSymbolicLink(&link, &device)))
        IoDeleteDevice(object);
    if (!NT_SUCCESS(status))
        return status;
    driver->MajorFunction[IRP_MJ_CREATE] = CreateClose;
    driver->MajorFunction[IRP_MJ_CLOSE] = CreateClose;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = Control;
    driver->DriverUnload = Unload;
    return STATUS_SUCCESS;
}
