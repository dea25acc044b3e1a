#pragma once

// The closed vocabulary of error codes. Every place that raises or tests a code uses these names;
// the user interface and the scripts see only the code, never the message.
namespace OrvoCommon::ErrorCodes {

inline constexpr char InternalError[] = "internal-error";
inline constexpr char ConfigFileError[] = "config-file-error";
inline constexpr char SocketListenError[] = "socket-listen-error";
inline constexpr char VersionError[] = "version-error";
inline constexpr char NoIndexFile[] = "no-index-file";
inline constexpr char IndexCorrupted[] = "index-corrupted";
inline constexpr char FirmwareCorrupted[] = "firmware-corrupted";
inline constexpr char IndexUnretrievable[] = "index-unretrievable";
inline constexpr char FirmwareUnretrievable[] = "firmware-unretrievable";
inline constexpr char DownloadInProgress[] = "download-in-progress";
inline constexpr char DownloadWriteFileError[] = "download-write-file-error";
inline constexpr char DownloadError[] = "download-error";
inline constexpr char DownloadCanceled[] = "download-canceled";
inline constexpr char UploadInProgress[] = "upload-in-progress";
inline constexpr char UploadError[] = "upload-error";
inline constexpr char UploadCanceled[] = "upload-canceled";
inline constexpr char UsbDriverInstallError[] = "usb-driver-install-error";
inline constexpr char DeviceDisconnected[] = "device-disconnected";
inline constexpr char MultipleDevices[] = "multiple-devices";
inline constexpr char DeviceBusy[] = "device-busy";
inline constexpr char DeviceNotAppMode[] = "device-not-app-mode";
inline constexpr char GetVersionError[] = "get-version-error";
inline constexpr char PtsDataError[] = "pts-data-error";
inline constexpr char ProgrammingError[] = "programming-error";
inline constexpr char DfuFileMismatch[] = "dfu-file-mismatch";
inline constexpr char ReconnectTimeout[] = "reconnect-timeout";
inline constexpr char PostReconnectQueryFailed[] = "post-reconnect-query-failed";
inline constexpr char PostReconnectMismatch[] = "post-reconnect-mismatch";

} // namespace OrvoCommon::ErrorCodes
