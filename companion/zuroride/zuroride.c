/* ZURORIDE.SYS: a small NT kernel driver that hands the PCI host bridge's
   vendor id, device id and latency timer to the VurOdoz program, which as a
   desktop program cannot read PCI configuration space itself. */
#include <ddk/ntddk.h>

#include "zuroctl.h"

/* The host bridge is the first function 0 on bus 0 whose class is 06/00. */
#define PCI_BRIDGE_BASE_CLASS 0x06
#define PCI_BRIDGE_SUB_CLASS  0x00
#define PCI_HEADER_START      16      /* ids, command, class, latency */

DRIVER_INITIALIZE DriverEntry;

static int ReadHostBridge(USHORT *vendorId, USHORT *deviceId, UCHAR *latencyTimer)
{
    PCI_COMMON_CONFIG header;
    PCI_SLOT_NUMBER slot;
    ULONG device, got;

    for (device = 0; device < PCI_MAX_DEVICES; device++) {
        slot.u.AsULONG = 0;
        slot.u.bits.DeviceNumber = device;
        slot.u.bits.FunctionNumber = 0;
        got = HalGetBusData(PCIConfiguration, 0, slot.u.AsULONG, &header, PCI_HEADER_START);
        /* Nothing at all means the HAL knows no PCI bus 0. */
        if (got == 0)
            return 0;
        if (got < PCI_HEADER_START || header.VendorID == PCI_INVALID_VENDORID || header.VendorID == 0)
            continue;
        if (header.BaseClass == PCI_BRIDGE_BASE_CLASS && header.SubClass == PCI_BRIDGE_SUB_CLASS) {
            *vendorId = header.VendorID;
            *deviceId = header.DeviceID;
            *latencyTimer = header.LatencyTimer;
            return 1;
        }
    }
    return 0;
}

static NTSTATUS CompleteRequest(PIRP irp, NTSTATUS status, ULONG_PTR information)
{
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

static NTSTATUS NTAPI DispatchCreateClose(PDEVICE_OBJECT deviceObject, PIRP irp)
{
    (void)deviceObject;
    return CompleteRequest(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS NTAPI DispatchControl(PDEVICE_OBJECT deviceObject, PIRP irp)
{
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    UCHAR *reply = (UCHAR *)irp->AssociatedIrp.SystemBuffer;
    USHORT vendorId, deviceId;
    UCHAR latencyTimer;
    ULONG i;

    (void)deviceObject;
    if (stack->Parameters.DeviceIoControl.IoControlCode != ZURO_IOCTL_QUERY_BRIDGE)
        return CompleteRequest(irp, STATUS_INVALID_DEVICE_REQUEST, 0);
    if (reply == NULL || stack->Parameters.DeviceIoControl.OutputBufferLength < ZURO_REPLY_SIZE)
        return CompleteRequest(irp, STATUS_BUFFER_TOO_SMALL, 0);
    if (!ReadHostBridge(&vendorId, &deviceId, &latencyTimer))
        return CompleteRequest(irp, STATUS_DEVICE_DOES_NOT_EXIST, 0);

    for (i = 0; i < ZURO_REPLY_SIZE; i++)
        reply[i] = 0;
    reply[ZURO_REPLY_VENDOR_OFFSET] = (UCHAR)(vendorId & 0xFF);
    reply[ZURO_REPLY_VENDOR_OFFSET + 1] = (UCHAR)(vendorId >> 8);
    reply[ZURO_REPLY_DEVICE_OFFSET] = (UCHAR)(deviceId & 0xFF);
    reply[ZURO_REPLY_DEVICE_OFFSET + 1] = (UCHAR)(deviceId >> 8);
    reply[ZURO_REPLY_LATENCY_OFFSET] = latencyTimer;
    return CompleteRequest(irp, STATUS_SUCCESS, ZURO_REPLY_SIZE);
}

static VOID NTAPI DriverUnload(PDRIVER_OBJECT driverObject)
{
    UNICODE_STRING link;

    RtlInitUnicodeString(&link, ZURO_KERNEL_LINK_NAME);
    IoDeleteSymbolicLink(&link);
    if (driverObject->DeviceObject != NULL)
        IoDeleteDevice(driverObject->DeviceObject);
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driverObject, PUNICODE_STRING registryPath)
{
    UNICODE_STRING name, link;
    PDEVICE_OBJECT device;
    NTSTATUS status;

    (void)registryPath;
    RtlInitUnicodeString(&name, ZURO_KERNEL_DEVICE_NAME);
    status = IoCreateDevice(driverObject, 0, &name, ZURO_DEVICE_TYPE, 0, FALSE, &device);
    if (!NT_SUCCESS(status))
        return status;
    RtlInitUnicodeString(&link, ZURO_KERNEL_LINK_NAME);
    status = IoCreateSymbolicLink(&link, &name);
    if (!NT_SUCCESS(status)) {
        IoDeleteDevice(device);
        return status;
    }
    driverObject->MajorFunction[IRP_MJ_CREATE] = DispatchCreateClose;
    driverObject->MajorFunction[IRP_MJ_CLOSE] = DispatchCreateClose;
    driverObject->MajorFunction[IRP_MJ_DEVICE_CONTROL] = DispatchControl;
    driverObject->DriverUnload = DriverUnload;
    return STATUS_SUCCESS;
}
