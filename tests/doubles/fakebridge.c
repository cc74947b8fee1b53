/* A stand-in for ZURORIDE.SYS: a real kernel driver that answers the bridge
   query with bytes the test chose, read once at start from the REG_BINARY
   value HKLM\System\VurOdozFakeBridge\Reply. No such key: it starts but
   offers no \\.\ZURORIDE; a key without the value: every query fails. */
#include <ddk/ntddk.h>

#include "zuroctl.h"

static ULONG Reply[(sizeof(KEY_VALUE_PARTIAL_INFORMATION) + ZURO_REPLY_SIZE + 3) / 4];
static int HasKey, HasReply;

DRIVER_INITIALIZE DriverEntry;

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
    if (!HasReply || stack->Parameters.DeviceIoControl.OutputBufferLength < ZURO_REPLY_SIZE)
        return Complete(irp, STATUS_UNSUCCESSFUL, 0);
    for (i = 0; i < ZURO_REPLY_SIZE; i++)
        out[i] = ((PKEY_VALUE_PARTIAL_INFORMATION)Reply)->Data[i];
    return Complete(irp, STATUS_SUCCESS, ZURO_REPLY_SIZE);
}

static VOID NTAPI Unload(PDRIVER_OBJECT driver)
{
    UNICODE_STRING link;

    RtlInitUnicodeString(&link, ZURO_KERNEL_LINK_NAME);
    if (HasKey)
        IoDeleteSymbolicLink(&link);
    IoDeleteDevice(driver->DeviceObject);
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath)
{
    UNICODE_STRING path, value, device, link;
    OBJECT_ATTRIBUTES attributes;
    PDEVICE_OBJECT object;
    HANDLE key;
    ULONG got;
    NTSTATUS status;

    (void)registryPath;
    RtlInitUnicodeString(&path, L"\\Registry\\Machine\\System\\VurOdozFakeBridge");
    InitializeObjectAttributes(&attributes, &path, OBJ_CASE_INSENSITIVE, NULL, NULL);
    if (NT_SUCCESS(ZwOpenKey(&key, KEY_READ, &attributes))) {
        HasKey = 1;
        RtlInitUnicodeString(&value, L"Reply");
        HasReply = NT_SUCCESS(ZwQueryValueKey(key, &value, KeyValuePartialInformation, Reply, sizeof(Reply), &got))
                   && ((PKEY_VALUE_PARTIAL_INFORMATION)Reply)->DataLength == ZURO_REPLY_SIZE;
        ZwClose(key);
    }
    RtlInitUnicodeString(&device, ZURO_KERNEL_DEVICE_NAME);
    RtlInitUnicodeString(&link, ZURO_KERNEL_LINK_NAME);
    status = IoCreateDevice(driver, 0, &device, ZURO_DEVICE_TYPE, 0, FALSE, &object);
    if (NT_SUCCESS(status) && HasKey && !NT_SUCCESS(status = IoCreateSymbolicLink(&link, &device)))
        IoDeleteDevice(object);
    if (!NT_SUCCESS(status))
        return status;
    driver->MajorFunction[IRP_MJ_CREATE] = CreateClose;
    driver->MajorFunction[IRP_MJ_CLOSE] = CreateClose;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = Control;
    driver->DriverUnload = Unload;
    return STATUS_SUCCESS;
}
