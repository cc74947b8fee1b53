/* A stand-in for ZURORIDE.SYS: a real kernel driver that answers the bridge
   query with bytes the test chose, read once at start from the REG_BINARY
   value HKLM\System\VurOdozFakeBridge\Reply. No such key: it starts but
   offers no \\.\ZURORIDE; a key without the value: every query fails. Built
   with FAKEBRIDGE_PLANTED it is a driver file the program must never take:
   when it loads it leaves the volatile key HKLM\System\VurOdozPlanted. */
#include <ddk/ntddk.h>

#include "zuroctl.h"

static ULONG Reply[(sizeof(KEY_VALUE_PARTIAL_INFORMATION) + ZURO_REPLY_SIZE + 3) / 4];
static int HasKey, HasReply;

DRIVER_INITIALIZE DriverEntry;

static NTSTATUS NTAPI Dispatch(PDEVICE_OBJECT device, PIRP irp)
{
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    volatile UCHAR *out = (volatile UCHAR *)irp->AssociatedIrp.SystemBuffer;
    NTSTATUS status = STATUS_SUCCESS;
    ULONG i;

    (void)device;
    irp->IoStatus.Information = 0;
    if (stack->MajorFunction == IRP_MJ_DEVICE_CONTROL) {
        status = STATUS_UNSUCCESSFUL;
        if (HasReply && stack->Parameters.DeviceIoControl.OutputBufferLength >= ZURO_REPLY_SIZE) {
            for (i = 0; i < ZURO_REPLY_SIZE; i++)
                out[i] = ((PKEY_VALUE_PARTIAL_INFORMATION)Reply)->Data[i];
            irp->IoStatus.Information = ZURO_REPLY_SIZE;
            status = STATUS_SUCCESS;
        }
    }
    irp->IoStatus.Status = status;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

static VOID NTAPI Unload(PDRIVER_OBJECT driver)
{
    UNICODE_STRING link;

    RtlInitUnicodeString(&link, ZURO_KERNEL_LINK_NAME);
    if (HasKey)
        IoDeleteSymbolicLink(&link);
    IoDeleteDevice(driver->DeviceObject);
}

#ifdef FAKEBRIDGE_PLANTED
static void LeaveMark(void)
{
    UNICODE_STRING path;
    OBJECT_ATTRIBUTES attributes;
    HANDLE key;

    RtlInitUnicodeString(&path, L"\\Registry\\Machine\\System\\VurOdozPlanted");
    InitializeObjectAttributes(&attributes, &path, OBJ_CASE_INSENSITIVE, NULL, NULL);
    if (NT_SUCCESS(ZwCreateKey(&key, KEY_WRITE, &attributes, 0, NULL, REG_OPTION_VOLATILE, NULL)))
        ZwClose(key);
}
#endif

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath)
{
    UNICODE_STRING path, value, device, link;
    OBJECT_ATTRIBUTES attributes;
    PDEVICE_OBJECT object;
    HANDLE key;
    ULONG got;
    NTSTATUS status;

    (void)registryPath;
#ifdef FAKEBRIDGE_PLANTED
    LeaveMark();
#endif
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
    driver->MajorFunction[IRP_MJ_CREATE] = Dispatch;
    driver->MajorFunction[IRP_MJ_CLOSE] = Dispatch;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = Dispatch;
    driver->DriverUnload = Unload;
    return STATUS_SUCCESS;
}
