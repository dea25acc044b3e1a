#pragma once

// Config.xml keys and their defaults, in one place so that no reader repeats a literal.
namespace OrvoCommon::ConfigKeys {

inline constexpr char IndexFileHost[] = "IndexFileHost";
inline constexpr char IndexFilePath[] = "IndexFilePath";
inline constexpr char IndexFileName[] = "IndexFileName";
inline constexpr char LoggingLevel[] = "LoggingLevel";
inline constexpr char CleanErrorLog[] = "CleanErrorLog";
inline constexpr char NoCacheConfig[] = "NoCacheConfig";
inline constexpr char AsciiVersionNumber[] = "AsciiVersionNumber";
inline constexpr char UseAlternateUsb64BitDriverLocation[] = "UseAlternateUsb64BitDriverLocation";
inline constexpr char UsbDriverSubdirectory[] = "UsbDriverSubdirectory";
inline constexpr char UsbDriverInfFilename[] = "UsbDriverInfFilename";
inline constexpr char Usb64BitDriverSubdirectory[] = "Usb64BitDriverSubdirectory";
inline constexpr char Usb64BitDriverInfFilename[] = "Usb64BitDriverInfFilename";
inline constexpr char SupportUrl[] = "SupportUrl";
inline constexpr char HciTimeout[] = "HciTimeout";
inline constexpr char HciRetries[] = "HciRetries";
inline constexpr char AltPskeyPids[] = "AltPskeyPids";
inline constexpr char FailsafeTimeout[] = "FailsafeTimeout";
inline constexpr char ResetTimeout[] = "ResetTimeout";
inline constexpr char SequenceRetries[] = "SequenceRetries";
inline constexpr char MessageRetries[] = "MessageRetries";
inline constexpr char AcceptNonMatchingDfuSuffix[] = "AcceptNonMatchingDfuSuffix";
inline constexpr char LanguageInfo[] = "LanguageInfo";
// Linux additions: which USB transport to use, and the simulated headset's profile.
inline constexpr char UsbBackend[] = "UsbBackend";
inline constexpr char SimulatedHeadset[] = "SimulatedHeadset";
// Bounds on a download from a slow or hostile server: the time to connect, and the average speed
// below which a transfer is given up once it has lasted the low-speed time.
inline constexpr char DownloadConnectTimeout[] = "DownloadConnectTimeout";
inline constexpr char DownloadLowSpeedLimit[] = "DownloadLowSpeedLimit";
inline constexpr char DownloadLowSpeedTime[] = "DownloadLowSpeedTime";
// Where the USB access rule is installed and looked for (default /etc/udev/rules.d); a relative path
// starts at the program folder.
inline constexpr char UdevRulesDirectory[] = "UdevRulesDirectory";
// Test aids: how long the splash screen stays (ms), and how long the index file may take before the
// wait dialog appears (ms). Tests shorten them; the shipped program keeps the defaults.
inline constexpr char SplashScreenTime[] = "SplashScreenTime";
inline constexpr char IndexFileWaitTime[] = "IndexFileWaitTime";
// The public keys (PEM files beside the program, separated by white space) that index files must be
// signed with; absent or empty, index files need no signature.
inline constexpr char IndexFileTrustedKeys[] = "IndexFileTrustedKeys";

inline constexpr bool CleanErrorLogDefault = true;
inline constexpr char UsbDriverSubdirectoryDefault[] = "USBDriver";
inline constexpr char UsbDriverInfFilenameDefault[] = "OrvoUSB.inf";
inline constexpr char Usb64BitDriverSubdirectoryDefault[] = "USB64BitDriver";
inline constexpr char Usb64BitDriverInfFilenameDefault[] = "OrvoUSB.inf";
inline constexpr unsigned HciTimeoutDefault = 5000;
inline constexpr unsigned HciRetriesDefault = 2;
inline constexpr unsigned FailsafeTimeoutDefault = 70000;
inline constexpr unsigned ResetTimeoutDefault = 30000;
inline constexpr unsigned SequenceRetriesDefault = 1;
inline constexpr unsigned MessageRetriesDefault = 2;
inline constexpr bool AcceptNonMatchingDfuSuffixDefault = false;
inline constexpr char UsbBackendLibusb[] = "libusb";
inline constexpr char UsbBackendSimulator[] = "simulator";
inline constexpr char SimulatedHeadsetDefault[] = "SimulatedHeadset.xml";
// A GPRS link passes these; the low-speed time is longer than the downloader's 60 s fail-safe, so a
// server that falls silent still ends in the fail-safe.
inline constexpr unsigned DownloadConnectTimeoutDefault = 30000;
inline constexpr unsigned DownloadLowSpeedLimitDefault = 1024;
inline constexpr unsigned DownloadLowSpeedTimeDefault = 90000;
inline constexpr unsigned SplashScreenTimeDefault = 5000;
inline constexpr unsigned IndexFileWaitTimeDefault = 3000;

} // namespace OrvoCommon::ConfigKeys
