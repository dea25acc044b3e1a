#include "ui/ErrorTable.h"

#include "app/ErrorCodes.h"

#include <QCoreApplication>
#include <QHash>

namespace UpdatePelarin {

namespace {

using namespace OrvoCommon;

const ErrorEntry Entries[ErrorIndexCount] = {
    {QT_TRANSLATE_NOOP("ErrorHeadline", "Update information is unavailable"),
     QT_TRANSLATE_NOOP("ErrorDetails",
                       "<p>A file that is necessary to run this program is not accessible.</p><p>Troubleshooting:<ul>"
                       "<li>If you obtained this program from the Orvo website, check your Internet connection.</li>"
                       "<li>Click \"Retry\".</li></ul></p><p>If the problem persists, <a href=\"ContactInfoDialog\">"
                       "contact Orvo Product Support</a>.</p>"),
     true, true},
    {QT_TRANSLATE_NOOP("ErrorHeadline", "Update information is damaged"),
     QT_TRANSLATE_NOOP("ErrorDetails",
                       "<p>A file that is necessary to run this program appears to be damaged.</p><p>Click \"Retry\" "
                       "to attempt to retrieve this file again. If the problem persists, <a href=\"ContactInfoDialog\">"
                       "contact Orvo Product Support</a>.</p>"),
     true, true},
    {QT_TRANSLATE_NOOP("ErrorHeadline", "Device update files are unavailable"),
     QT_TRANSLATE_NOOP("ErrorDetails",
                       "<p>This program has not been able to access the files that are necessary to update your "
                       "device.</p><p>Troubleshooting:<ul><li>If you obtained this program from the Orvo website, "
                       "check your Internet connection before you continue.</li><li>Click \"Retry\".</li></ul></p>"
                       "<p>If the problem persists, <a href=\"ContactInfoDialog\">contact Orvo Product Support</a>."
                       "</p>"),
     true, true},
    {QT_TRANSLATE_NOOP("ErrorHeadline", "Device update files are damaged"),
     QT_TRANSLATE_NOOP("ErrorDetails",
                       "<p>The files that are necessary to update your device appear to be damaged.</p><p>Click "
                       "\"Retry\" to attempt to retrieve these files again. If the problem persists, <a "
                       "href=\"ContactInfoDialog\">contact Orvo Product Support</a>.</p>"),
     true, true},
    {QT_TRANSLATE_NOOP("ErrorHeadline", "Device update could not be verified"),
     QT_TRANSLATE_NOOP("ErrorDetails",
                       "<p>This program was unable to confirm that the device update completed successfully.</p><p>"
                       "Troubleshooting:<ul><li>Switch the device OFF.</li><li>Click \"Retry\" and then follow the "
                       "on-screen instructions.</li></ul></p><p>If the problem persists, <a "
                       "href=\"ContactInfoDialog\">contact Orvo Product Support</a>.</p>"),
     true, true},
    {QT_TRANSLATE_NOOP("ErrorHeadline", "Device update was unsuccessful"),
     QT_TRANSLATE_NOOP("ErrorDetails",
                       "<p>It appears that the device was not successfully updated.</p><p>Troubleshooting:<ul><li>"
                       "Switch the device OFF.</li><li>Click \"Retry\" and then follow the on-screen instructions."
                       "</li></ul></p><p>If the problem persists, <a href=\"ContactInfoDialog\">contact Orvo Product "
                       "Support</a>.</p>"),
     true, true},
    {QT_TRANSLATE_NOOP("ErrorHeadline", "Your device has been disconnected"),
     QT_TRANSLATE_NOOP("ErrorDetails",
                       "<p>Troubleshooting:<ul><li>Make sure that the USB cable is securely connected to both the "
                       "device and your computer.</li><li>Switch the device OFF.</li><li>Click \"Retry\" and then "
                       "follow the on-screen instructions.</li></ul></p><p>If the problem persists, <a "
                       "href=\"ContactInfoDialog\">contact Orvo Product Support</a>.</p>"),
     true, true},
    {QT_TRANSLATE_NOOP("ErrorHeadline", "More than one device is connected"),
     QT_TRANSLATE_NOOP("ErrorDetails",
                       "<p>This program detected more than one supported Orvo device. Only one device can be updated "
                       "at a time.</p><p>Troubleshooting:<ul><li>Disconnect all Orvo devices from your computer "
                       "except the one that you want to update.</li><li>Click \"Retry\".</li></ul></p><p>If the "
                       "problem persists, <a href=\"ContactInfoDialog\">contact Orvo Product Support</a>.</p>"),
     true, true},
    {QT_TRANSLATE_NOOP("ErrorHeadline", "This program cannot continue"),
     QT_TRANSLATE_NOOP("ErrorDetails",
                       "<p>A problem has caused this program to fail.</p><p>Click \"Exit\" and then try running this "
                       "program again. If the problem persists, <a href=\"ContactInfoDialog\">contact Orvo Product "
                       "Support</a>.</p>"),
     false, true},
    {QT_TRANSLATE_NOOP("ErrorHeadline", "There are no selections available"),
     QT_TRANSLATE_NOOP("ErrorDetails",
                       "<p>This program could not find any software version selections for your device.  Please "
                       "inform your Orvo Product Support representative of this message.</p><p>If you encounter "
                       "this message and are not currently in contact with a Orvo Product Support representative, "
                       "please <a href=\"ContactInfoDialog\">contact Orvo Product Support</a>.</p>"),
     false, true},
    {QT_TRANSLATE_NOOP("ErrorHeadline", "Device update has failed"),
     QT_TRANSLATE_NOOP("ErrorDetails",
                       "<p>There was a problem updating your device.</p><p>Troubleshooting:<ul><li>Switch the device "
                       "OFF.</li><li>Click \"Retry\" and then follow the on-screen instructions.</li></ul></p><p>If "
                       "the problem persists, <a href=\"ContactInfoDialog\">contact Orvo Product Support</a>.</p>"),
     true, true},
    {QT_TRANSLATE_NOOP("ErrorHeadline", "Hardware configuration was not completed"),
     QT_TRANSLATE_NOOP("ErrorDetails",
                       "<p>Windows' process for enabling communication with your device was ended before it could be "
                       "completed successfully.</p><p>Troubleshooting:<ul><li>Switch the device OFF.</li><li>Click "
                       "\"Retry\" and then follow the on-screen instructions.</li></ul></p><p>If the problem "
                       "persists, <a href=\"ContactInfoDialog\">contact Orvo Product Support</a>.</p>"),
     true, true},
    {"", "", true, true},
    {QT_TRANSLATE_NOOP("ErrorHeadline", "Device driver installation failed"),
     QT_TRANSLATE_NOOP("ErrorDetails",
                       "<p>Click \"Retry\" and then follow the on-screen instructions to try to install the driver "
                       "again.</p><p>If the problem persists, <a href=\"ContactInfoDialog\">contact Orvo Product "
                       "Support</a>.</p>"),
     true, true},
    {QT_TRANSLATE_NOOP("ErrorHeadline", "Device update files are incorrect"),
     QT_TRANSLATE_NOOP("ErrorDetails",
                       "<p>This program identified the wrong update files for your device.  This is a problem that "
                       "Orvo will need to resolve.</p><p>Please <a href=\"ContactInfoDialog\">contact Orvo Product "
                       "Support</a> and inform the Orvo Product Support representative about this message.</p>"),
     false, true},
    {"", "", true, true},
    {QT_TRANSLATE_NOOP("ErrorHeadline", "Administrator permissions are needed to continue"),
     QT_TRANSLATE_NOOP("ErrorDetails",
                       "<p>This program must perform an action that requires Administrator privileges.</p><p>"
                       "Instructions:<ul><li>Switch the device OFF.</li><li>Log out of Windows, log in using a Windows "
                       "Administrator user account, and then run this program again.</li></ul></p><p>If the problem "
                       "persists, <a href=\"ContactInfoDialog\">contact Orvo Product Support</a>.</p>"),
     false, false},
};

QHash<QString, int> BuildIndexHash()
{
    const std::pair<const char*, int> pairs[] = {
        {ErrorCodes::InternalError, err_generic_internal_error},
        {ErrorCodes::DeviceDisconnected, err_device_disconnected},
        {ErrorCodes::ProgrammingError, err_firmware_update_failed},
        {ErrorCodes::PostReconnectMismatch, err_firmware_verification_mismatch},
        {ErrorCodes::PostReconnectQueryFailed, err_firmware_verification_failed},
        {ErrorCodes::FirmwareCorrupted, err_firmware_corrupted},
        {ErrorCodes::IndexCorrupted, err_index_corrupted},
        {ErrorCodes::ReconnectTimeout, err_firmware_update_failed},
        {ErrorCodes::ConfigFileError, err_generic_internal_error},
        {ErrorCodes::VersionError, err_generic_internal_error},
        {ErrorCodes::DownloadInProgress, err_generic_internal_error},
        {ErrorCodes::NoIndexFile, err_index_corrupted},
        {ErrorCodes::FirmwareUnretrievable, err_firmware_unretrievable},
        {ErrorCodes::IndexUnretrievable, err_index_unretrievable},
        {ErrorCodes::MultipleDevices, err_multiple_devices_detected},
        {ErrorCodes::UploadInProgress, err_generic_internal_error},
        {ErrorCodes::DeviceBusy, err_generic_internal_error},
        {ErrorCodes::UsbDriverInstallError, err_driver_installation_failed},
        {ErrorCodes::DfuFileMismatch, err_firmware_mismatch},
        {"err_index_unretrievable", err_index_unretrievable},
        {"err_index_corrupted", err_index_corrupted},
        {"err_firmware_unretrievable", err_firmware_unretrievable},
        {"err_firmware_corrupted", err_firmware_corrupted},
        {"err_firmware_verification_failed", err_firmware_verification_failed},
        {"err_firmware_verification_mismatch", err_firmware_verification_mismatch},
        {"err_device_disconnected", err_device_disconnected},
        {"err_multiple_devices_detected", err_multiple_devices_detected},
        {"err_generic_internal_error", err_generic_internal_error},
        {"err_selection_mode_no_firmware", err_selection_mode_no_firmware},
        {"err_firmware_update_failed", err_firmware_update_failed},
        {"err_windows_driver_mapping_aborted", err_windows_driver_mapping_aborted},
        {"err_driver_installation_failed", err_driver_installation_failed},
        {"err_firmware_mismatch", err_firmware_mismatch},
        {"err_windows_admin_credentials_unavailable", err_windows_admin_credentials_unavailable},
    };
    QHash<QString, int> hash;
    for (const auto& [code, index] : pairs)
        hash.insert(QLatin1String(code), index);
    return hash;
}

} // namespace

const ErrorEntry& ErrorEntryAt(int index)
{
    if (index < 0 || index >= ErrorIndexCount)
        index = err_generic_internal_error;
    return Entries[index];
}

QString TranslatedHeadline(const ErrorEntry& entry)
{
    return QCoreApplication::translate("ErrorHeadline", entry.headline);
}

QString TranslatedDetails(const ErrorEntry& entry)
{
    return QCoreApplication::translate("ErrorDetails", entry.details);
}

int ErrorIndexFor(const QString& code)
{
    static const QHash<QString, int> indexes = BuildIndexHash();
    return indexes.value(code, err_generic_internal_error);
}

} // namespace UpdatePelarin
