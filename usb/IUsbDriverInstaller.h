#pragma once

#include <QObject>
#include <QString>

#include <memory>

namespace OrvoCommon {

// Installs the headset's USB access rule shipped beside the program and answers the platform
// questions the wizard asks before it (installed already? administrator? 64-bit?). Created new by
// UsbDriverInstallerFactory for every caller, who owns it.
class IUsbDriverInstaller : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~IUsbDriverInstaller() override = default;

    // 1 an identical package is installed, 0 it is not, -1 cannot tell.
    virtual int IsDriverInstalled(const QString& packagePath) = 0;
    // 1 yes, 0 no, -1 cannot tell.
    virtual int IsInAdminRole() = 0;
    virtual int IsOs64Bit() = 0;
    // Answered by DriverInstallComplete, at once when refused.
    virtual void InstallDriver(const QString& driverPath) = 0;
    virtual void CancelDriverInstall() = 0;

signals:
    // Empty on success, else "usb-driver-install-error".
    void DriverInstallComplete(const QString& error);
};

class UsbDriverInstallerFactory
{
public:
    virtual ~UsbDriverInstallerFactory() = default;
    virtual std::unique_ptr<IUsbDriverInstaller> CreateUsbDriverInstaller() { return nullptr; }

    static UsbDriverInstallerFactory* Registered() { return s_factory; }

protected:
    static void Register(UsbDriverInstallerFactory* factory) { s_factory = factory; }

private:
    static inline UsbDriverInstallerFactory* s_factory = nullptr;
};

} // namespace OrvoCommon
