/* A BCCMD client of the kind other programs use: plain C on the kernel's usbfs ioctls, no libusb.
 * The simulated headset behind umockdev must answer it as a real one does.
 *
 *   usbfs-raw-client NODE strings
 *       prints "manufacturer=...", "product=..." and "serial=..." (GET_DESCRIPTOR through CONTROL)
 *   usbfs-raw-client NODE get VARID [--urb]
 *       sends a BCCMD GET (sequence 1) and prints the first HCI event that comes back, read with
 *       BULK on the event endpoint, or with SUBMITURB and a waiting REAPURB
 *   usbfs-raw-client NODE send VARID | set VARID
 *       sends a BCCMD GET or SET (no value) and does not wait for an answer
 *   usbfs-raw-client NODE wait [--urb]
 *       waits for the next HCI event, whoever asked for it, and prints it
 * Exit code 0 on success; a failed request prints its errno text. */

#include <errno.h>
#include <fcntl.h>
#include <linux/usbdevice_fs.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <unistd.h>

enum
{
    HciInterface = 0,
    EventEndpoint = 0x81,
    TimeoutMs = 2000,
    BcCmdGetReq = 0,
    BcCmdSetReq = 2,
};

static int Fail(const char* what)
{
    fprintf(stderr, "%s: %s\n", what, strerror(errno));
    return 1;
}

static int Control(int fd, int requestType, int request, int value, int index, unsigned char* data, int length)
{
    struct usbdevfs_ctrltransfer transfer;
    memset(&transfer, 0, sizeof(transfer));
    transfer.bRequestType = (unsigned char)requestType;
    transfer.bRequest = (unsigned char)request;
    transfer.wValue = (unsigned short)value;
    transfer.wIndex = (unsigned short)index;
    transfer.wLength = (unsigned short)length;
    transfer.timeout = TimeoutMs;
    transfer.data = data;
    return ioctl(fd, USBDEVFS_CONTROL, &transfer);
}

/* A string descriptor as Latin-1 text; the language is the first one the device offers. */
static int PrintString(int fd, const char* name, int index, int language)
{
    unsigned char descriptor[255];
    const int length = Control(fd, 0x80, 6, 0x0300 | index, language, descriptor, sizeof(descriptor));
    if (length < 2)
        return Fail(name);
    printf("%s=", name);
    for (int i = 2; i + 1 < length && i < descriptor[0]; i += 2)
        putchar(descriptor[i + 1] ? '?' : descriptor[i]);
    putchar('\n');
    return 0;
}

static int Strings(int fd)
{
    unsigned char device[18];
    unsigned char languages[4];
    if (Control(fd, 0x80, 6, 0x0100, 0, device, sizeof(device)) != sizeof(device))
        return Fail("device descriptor");
    if (Control(fd, 0x80, 6, 0x0300, 0, languages, sizeof(languages)) < 4)
        return Fail("language list");
    const int language = languages[2] | languages[3] << 8;
    const char* names[] = {"manufacturer", "product", "serial"};
    for (int i = 0; i < 3; ++i) {
        if (device[14 + i] && PrintString(fd, names[i], device[14 + i], language))
            return 1;
    }
    return 0;
}

/* HCI vendor command 0xFC00 on the CSR extension's channel 2 carrying one BCCMD message. */
static int SendBcCmd(int fd, int type, int varid)
{
    unsigned char command[4 + 18] = {0x00, 0xFC, 1 + 18, 0xC2};
    unsigned char* message = command + 4;
    memset(message, 0, 18);
    message[0] = (unsigned char)type;
    message[2] = 9; /* length in words */
    message[4] = 1; /* sequence number */
    message[6] = (unsigned char)(varid & 0xFF);
    message[7] = (unsigned char)(varid >> 8);
    if (Control(fd, 0x20, 0, 0, HciInterface, command, sizeof(command)) != (int)sizeof(command))
        return Fail("HCI command");
    return 0;
}

static int ReadEvent(int fd, int withUrb)
{
    unsigned char event[64];
    int length = 0;
    if (withUrb) {
        struct usbdevfs_urb urb;
        memset(&urb, 0, sizeof(urb));
        urb.type = USBDEVFS_URB_TYPE_INTERRUPT;
        urb.endpoint = EventEndpoint;
        urb.buffer = event;
        urb.buffer_length = sizeof(event);
        if (ioctl(fd, USBDEVFS_SUBMITURB, &urb) < 0)
            return Fail("SUBMITURB");
        void* reaped = NULL;
        if (ioctl(fd, USBDEVFS_REAPURB, &reaped) < 0)
            return Fail("REAPURB");
        if (reaped != &urb || urb.status != 0) {
            errno = urb.status ? -urb.status : EINVAL;
            return Fail("event URB");
        }
        length = urb.actual_length;
    } else {
        struct usbdevfs_bulktransfer bulk;
        memset(&bulk, 0, sizeof(bulk));
        bulk.ep = EventEndpoint;
        bulk.len = sizeof(event);
        bulk.timeout = TimeoutMs;
        bulk.data = event;
        length = ioctl(fd, USBDEVFS_BULK, &bulk);
        if (length < 0)
            return Fail("BULK");
    }
    printf("event:");
    for (int i = 0; i < length; ++i)
        printf(" %02x", event[i]);
    putchar('\n');
    return 0;
}

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: %s NODE strings | get VARID [--urb] | set VARID\n", argv[0]);
        return 2;
    }
    const int fd = open(argv[1], O_RDWR);
    if (fd < 0)
        return Fail(argv[1]);
    const char* command = argv[2];
    const int withUrb = strcmp(argv[argc - 1], "--urb") == 0;
    int status = 2;
    unsigned int interface = HciInterface;
    if (strcmp(command, "strings") == 0) {
        status = Strings(fd);
    } else if (ioctl(fd, USBDEVFS_CLAIMINTERFACE, &interface) < 0) {
        status = Fail("CLAIMINTERFACE");
    } else if (strcmp(command, "wait") == 0) {
        status = ReadEvent(fd, withUrb);
    } else if (argc >= 4) {
        const int varid = (int)strtol(argv[3], NULL, 0);
        const int set = strcmp(command, "set") == 0;
        status = SendBcCmd(fd, set ? BcCmdSetReq : BcCmdGetReq, varid);
        if (status == 0 && strcmp(command, "get") == 0)
            status = ReadEvent(fd, withUrb);
    }
    close(fd);
    return status;
}
