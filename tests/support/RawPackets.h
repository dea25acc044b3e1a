#pragma once

#include <QByteArray>
#include <QString>

#include <initializer_list>

// Raw HCI, BCCMD and DFU bytes written straight from the Bluetooth, CSR and USB DFU 1.1 layouts, so
// that tests check the headset model and the USB layer without the program's protocol classes.
namespace TestSupport::Raw {

QByteArray Le16(int value);
QByteArray Words(std::initializer_list<int> words);
void PutLe16(QByteArray* bytes, int offset, int value);
// HCI command 0xFC00 with one CSR extension fragment (descriptor 0xC2: first, last, channel 2).
QByteArray HciVendorCommand(const QByteArray& payload, int descriptor = 0xC2);
// BCCMD request: type, length in words, sequence number, varid, status 0, payload padded to 8 bytes.
QByteArray BcCmd(int type, int seq, int varid, const QByteArray& payload);
// Vendor event 0xFF carrying a CSR extension fragment.
QByteArray VendorEvent(const QByteArray& message, int descriptor = 0xC2);
// The host's numeric version text of a PS value or build id: b1.b0.b3b2, b3 and b2 as characters.
QString NumericVersion(const QByteArray& value);

} // namespace TestSupport::Raw
