#pragma once

#include <QString>

// The errors the user can see: seventeen entries, each with a headline, details, whether Retry is
// offered and whether Exit asks first. Error codes and the ids scripts use map onto them.
namespace UpdatePelarin {

enum ErrorIndex : int
{
    err_index_unretrievable = 0,
    err_index_corrupted = 1,
    err_firmware_unretrievable = 2,
    err_firmware_corrupted = 3,
    err_firmware_verification_failed = 4,
    err_firmware_verification_mismatch = 5,
    err_device_disconnected = 6,
    err_multiple_devices_detected = 7,
    err_generic_internal_error = 8,
    err_selection_mode_no_firmware = 9,
    err_firmware_update_failed = 10,
    err_windows_driver_mapping_aborted = 11,
    // 12 is an empty entry that nothing maps to.
    err_driver_installation_failed = 13,
    err_firmware_mismatch = 14,
    // 15 is an empty entry that nothing maps to.
    err_windows_admin_credentials_unavailable = 16,
};
inline constexpr int ErrorIndexCount = 17;

struct ErrorEntry
{
    const char* headline; // source text in the context "ErrorHeadline"
    const char* details;  // source text in the context "ErrorDetails"
    bool retry;
    bool confirmExit;
};

// The entry at index; an index outside the table gives the generic internal error's entry.
const ErrorEntry& ErrorEntryAt(int index);
QString TranslatedHeadline(const ErrorEntry& entry);
QString TranslatedDetails(const ErrorEntry& entry);

// The index for an error code or an error id ("err_..."); anything unknown, the empty code
// included, is err_generic_internal_error.
int ErrorIndexFor(const QString& code);

} // namespace UpdatePelarin
