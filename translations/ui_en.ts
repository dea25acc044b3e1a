<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>ConfirmationHeadline</name>
    <message>
        <source>This application has not finished</source>
        <comment>UR-193 - CONFIRM_ABORT_HEADLINE</comment>
        <translation>This application has not finished</translation>
    </message>
    <message>
        <source>The data upload is not yet complete</source>
        <comment>UR-120 - CONFIRM_CANCEL_UPLOAD_HEADLINE</comment>
        <translation>The data upload is not yet complete</translation>
    </message>
    <message>
        <source>Selection mode will be enabled</source>
        <comment>UR-313 - CONFIRM_DOWNGRADE_HEADLINE</comment>
        <translation>Selection mode will be enabled</translation>
    </message>
    <message>
        <source>Orvo Product Support may be able to help you</source>
        <comment>UR-170 - CONFIRM_ERROR_EXIT_HEADLINE</comment>
        <translation>Orvo Product Support may be able to help you</translation>
    </message>
</context>
<context>
    <name>ConfirmationQuestions</name>
    <message>
        <source>Are you sure you want to exit?</source>
        <comment>UR-194 - CONFIRM_ABORT_QUESTION</comment>
        <translation>Are you sure you want to exit?</translation>
    </message>
    <message>
        <source>Are you sure you want to cancel the upload?</source>
        <comment>UR-121 - CONFIRM_CANCEL_UPLOAD_QUESTION</comment>
        <translation>Are you sure you want to cancel the upload?</translation>
    </message>
    <message>
        <source>Are you sure you want to enable selection mode?</source>
        <comment>UR-314 - CONFIRM_DOWNGRADE_QUESTION</comment>
        <translation>Are you sure you want to enable selection mode?</translation>
    </message>
    <message>
        <source>&lt;p&gt;If you have not already contacted Orvo Product Support, you may want to do so before exiting this application. They may be able to help you correct the error that has occurred.&lt;/p&gt;&lt;p&gt;Are you sure you want to exit?&lt;/p&gt;</source>
        <comment>UR-171 - CONFIRM_ERROR_EXIT_QUESTION</comment>
        <translation>&lt;p&gt;If you have not already contacted Orvo Product Support, you may want to do so before exiting this application. They may be able to help you correct the error that has occurred.&lt;/p&gt;&lt;p&gt;Are you sure you want to exit?&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>ErrorDetails</name>
    <message>
        <source>&lt;p&gt;A file that is necessary to run this program is not accessible.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;If you obtained this program from the Orvo website, check your Internet connection.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot;.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;A file that is necessary to run this program is not accessible.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;If you obtained this program from the Orvo website, check your Internet connection.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot;.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;A file that is necessary to run this program appears to be damaged.&lt;/p&gt;&lt;p&gt;Click &quot;Retry&quot; to attempt to retrieve this file again. If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;A file that is necessary to run this program appears to be damaged.&lt;/p&gt;&lt;p&gt;Click &quot;Retry&quot; to attempt to retrieve this file again. If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program has not been able to access the files that are necessary to update your device.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;If you obtained this program from the Orvo website, check your Internet connection before you continue.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot;.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;This program has not been able to access the files that are necessary to update your device.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;If you obtained this program from the Orvo website, check your Internet connection before you continue.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot;.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;The files that are necessary to update your device appear to be damaged.&lt;/p&gt;&lt;p&gt;Click &quot;Retry&quot; to attempt to retrieve these files again. If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;The files that are necessary to update your device appear to be damaged.&lt;/p&gt;&lt;p&gt;Click &quot;Retry&quot; to attempt to retrieve these files again. If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program was unable to confirm that the device update completed successfully.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;This program was unable to confirm that the device update completed successfully.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;It appears that the device was not successfully updated.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;It appears that the device was not successfully updated.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Make sure that the USB cable is securely connected to both the device and your computer.&lt;/li&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Make sure that the USB cable is securely connected to both the device and your computer.&lt;/li&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program detected more than one supported Orvo device. Only one device can be updated at a time.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Disconnect all Orvo devices from your computer except the one that you want to update.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot;.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;This program detected more than one supported Orvo device. Only one device can be updated at a time.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Disconnect all Orvo devices from your computer except the one that you want to update.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot;.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;A problem has caused this program to fail.&lt;/p&gt;&lt;p&gt;Click &quot;Exit&quot; and then try running this program again. If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;A problem has caused this program to fail.&lt;/p&gt;&lt;p&gt;Click &quot;Exit&quot; and then try running this program again. If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program could not find any software version selections for your device.  Please inform your Orvo Product Support representative of this message.&lt;/p&gt;&lt;p&gt;If you encounter this message and are not currently in contact with a Orvo Product Support representative, please &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;This program could not find any software version selections for your device.  Please inform your Orvo Product Support representative of this message.&lt;/p&gt;&lt;p&gt;If you encounter this message and are not currently in contact with a Orvo Product Support representative, please &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;There was a problem updating your device.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;There was a problem updating your device.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Windows&apos; process for enabling communication with your device was ended before it could be completed successfully.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;The system&apos;s process for enabling communication with your device was ended before it could be completed successfully.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Click &quot;Retry&quot; and then follow the on-screen instructions to try to install the driver again.&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Click &quot;Retry&quot; and then follow the on-screen instructions to try to install the driver again.&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program identified the wrong update files for your device.  This is a problem that Orvo will need to resolve.&lt;/p&gt;&lt;p&gt;Please &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt; and inform the Orvo Product Support representative about this message.&lt;/p&gt;</source>
        <translation>&lt;p&gt;This program identified the wrong update files for your device.  This is a problem that Orvo will need to resolve.&lt;/p&gt;&lt;p&gt;Please &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt; and inform the Orvo Product Support representative about this message.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program must perform an action that requires Administrator privileges.&lt;/p&gt;&lt;p&gt;Instructions:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Log out of Windows, log in using a Windows Administrator user account, and then run this program again.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;This program must perform an action that requires administrator rights.&lt;/p&gt;&lt;p&gt;Instructions:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Close this program and run it again as root, the system&apos;s administrator account.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>ErrorHeadline</name>
    <message>
        <source>Update information is unavailable</source>
        <translation>Update information is unavailable</translation>
    </message>
    <message>
        <source>Update information is damaged</source>
        <translation>Update information is damaged</translation>
    </message>
    <message>
        <source>Device update files are unavailable</source>
        <translation>Device update files are unavailable</translation>
    </message>
    <message>
        <source>Device update files are damaged</source>
        <translation>Device update files are damaged</translation>
    </message>
    <message>
        <source>Device update could not be verified</source>
        <translation>Device update could not be verified</translation>
    </message>
    <message>
        <source>Device update was unsuccessful</source>
        <translation>Device update was unsuccessful</translation>
    </message>
    <message>
        <source>Your device has been disconnected</source>
        <translation>Your device has been disconnected</translation>
    </message>
    <message>
        <source>More than one device is connected</source>
        <translation>More than one device is connected</translation>
    </message>
    <message>
        <source>This program cannot continue</source>
        <translation>This program cannot continue</translation>
    </message>
    <message>
        <source>There are no selections available</source>
        <translation>There are no selections available</translation>
    </message>
    <message>
        <source>Device update has failed</source>
        <translation>Device update has failed</translation>
    </message>
    <message>
        <source>Hardware configuration was not completed</source>
        <translation>Hardware configuration was not completed</translation>
    </message>
    <message>
        <source>Device driver installation failed</source>
        <translation>Device driver installation failed</translation>
    </message>
    <message>
        <source>Device update files are incorrect</source>
        <translation>Device update files are incorrect</translation>
    </message>
    <message>
        <source>Administrator permissions are needed to continue</source>
        <translation>Administrator permissions are needed to continue</translation>
    </message>
</context>
<context>
    <name>StatusDialogClass</name>
    <message>
        <source>Script Running</source>
        <translation>Script Running</translation>
    </message>
    <message>
        <source>Script in progress. Click &quot;Cancel&quot; to stop.</source>
        <translation>Script in progress. Click &quot;Cancel&quot; to stop.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin</name>
    <message>
        <source>Orvo ZR3h BLUETOOTH® Headphone Update</source>
        <translation>Orvo ZR3h BLUETOOTH® Headphone Update</translation>
    </message>
    <message>
        <source>Orvo ZR3h &lt;i&gt;Bluetooth&lt;/i&gt; Headphone Update</source>
        <translation>Orvo ZR3h &lt;i&gt;Bluetooth&lt;/i&gt; Headphone Update</translation>
    </message>
    <message>
        <source>Orvo Device</source>
        <translation>Orvo Device</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::AdminCredentialsNeededDialog</name>
    <message>
        <source>&lt;font size=&quot;+1&quot;&gt;Administrator permissions are required&lt;/font&gt;</source>
        <comment>UR-254</comment>
        <translation>&lt;font size=&quot;+1&quot;&gt;Administrator permissions are required&lt;/font&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program must be run on a Windows account with Administrator privileges.  Please log out of Windows, log in using a Windows Administrator user account, and then run this program again.&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <comment>UR-255</comment>
        <translation>&lt;p&gt;This program must be run as root, the system&apos;s administrator account.  Please close this program and run it again as root.&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Exit</source>
        <comment>UR-257</comment>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::AlreadyUpToDatePage</name>
    <message>
        <source>Update is not needed</source>
        <comment>UR-088</comment>
        <translation>Update is not needed</translation>
    </message>
    <message>
        <source>Your device already has the latest software version.  No update is needed.  It is now safe to turn the device off and disconnect the USB cable.</source>
        <comment>UR-078</comment>
        <translation>Your device already has the latest software version.  No update is needed.  It is now safe to turn the device off and disconnect the USB cable.</translation>
    </message>
    <message>
        <source>Update was not successful</source>
        <comment>UR-398</comment>
        <translation>Update was not successful</translation>
    </message>
    <message>
        <source>&lt;qt&gt;&lt;p&gt;&lt;b&gt;Error:&lt;/b&gt;&amp;nbsp; This program does not support software version updates for your device configuration.&lt;/p&gt;&lt;p&gt;Keep this program open and &lt;a href=&quot;support&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;&lt;p&gt;It is now safe to disconnect the USB cable from the device.&lt;/p&gt;&lt;/qt&gt;</source>
        <comment>UR-395</comment>
        <translation>&lt;qt&gt;&lt;p&gt;&lt;b&gt;Error:&lt;/b&gt;&amp;nbsp; This program does not support software version updates for your device configuration.&lt;/p&gt;&lt;p&gt;Keep this program open and &lt;a href=&quot;support&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;&lt;p&gt;It is now safe to disconnect the USB cable from the device.&lt;/p&gt;&lt;/qt&gt;</translation>
    </message>
    <message>
        <source>Software version:</source>
        <comment>UR-080</comment>
        <translation>Software version:</translation>
    </message>
    <message>
        <source>Click &quot;Finish&quot; to close this window.</source>
        <comment>UR-087, UR-397</comment>
        <translation>Click &quot;Finish&quot; to close this window.</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::ApplicationWizard</name>
    <message>
        <source>License Agreement</source>
        <translation>License Agreement</translation>
    </message>
    <message>
        <source>System Information</source>
        <translation>System Information</translation>
    </message>
    <message>
        <source>Orvo Product Support</source>
        <translation>Orvo Product Support</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Finish</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::CommStatusPage</name>
    <message>
        <source>Device update progress</source>
        <comment>UR-075</comment>
        <translation>Device update progress</translation>
    </message>
    <message>
        <source>If you need to quit this process, click &quot;Cancel&quot;.</source>
        <comment>UR-296</comment>
        <translation>If you need to quit this process, click &quot;Cancel&quot;.</translation>
    </message>
    <message>
        <source>DO NOT turn off or disconnect your device.</source>
        <comment>UR-297</comment>
        <translation>DO NOT turn off or disconnect your device.</translation>
    </message>
    <message>
        <source>Waiting for version selection...</source>
        <comment>UR-359</comment>
        <translation>Waiting for version selection...</translation>
    </message>
    <message>
        <source>Downloading update files from Orvo server...</source>
        <comment>UR-069</comment>
        <translation>Downloading update files from Orvo server...</translation>
    </message>
    <message>
        <source>Updating your device...</source>
        <comment>UR-070</comment>
        <translation>Updating your device...</translation>
    </message>
    <message>
        <source>Confirming successful update...</source>
        <comment>UR-196</comment>
        <translation>Confirming successful update...</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::ConfirmationBox</name>
    <message>
        <source>Yes</source>
        <comment>UR-173</comment>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <comment>UR-175</comment>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::ConnectDevicePage</name>
    <message>
        <source>Connect your device</source>
        <comment>UR-066</comment>
        <translation>Connect your device</translation>
    </message>
    <message>
        <source>&lt;qt&gt;Perform the following steps to connect the device to your computer.&lt;ol&gt;&lt;li&gt;Switch the device ON.&lt;/li&gt;&lt;li&gt;Plug the smaller end of the micro-USB cable into the device.&lt;/li&gt;&lt;li&gt;Connect the other end of the cable to a USB port on your computer.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</source>
        <comment>UR-277</comment>
        <translation>&lt;qt&gt;Perform the following steps to connect the device to your computer.&lt;ol&gt;&lt;li&gt;Switch the device ON.&lt;/li&gt;&lt;li&gt;Plug the smaller end of the micro-USB cable into the device.&lt;/li&gt;&lt;li&gt;Connect the other end of the cable to a USB port on your computer.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</translation>
    </message>
    <message>
        <source>Click &quot;Next&quot; to continue.</source>
        <comment>UR-063</comment>
        <translation>Click &quot;Next&quot; to continue.</translation>
    </message>
    <message>
        <source>&lt;qt&gt;If you encounter any problems, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/qt&gt;</source>
        <comment>UR-065</comment>
        <translation>&lt;qt&gt;If you encounter any problems, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/qt&gt;</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::ErrorBox</name>
    <message>
        <source>System Information</source>
        <comment>UR-164</comment>
        <translation>System Information</translation>
    </message>
    <message>
        <source>Retry</source>
        <comment>UR-166</comment>
        <translation>Retry</translation>
    </message>
    <message>
        <source>Exit</source>
        <comment>UR-168</comment>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::EulaDialog</name>
    <message>
        <source>License Agreement</source>
        <comment>UR-046</comment>
        <translation>License Agreement</translation>
    </message>
    <message>
        <source>You have agreed to comply with the following:</source>
        <comment>UR-047</comment>
        <translation>You have agreed to comply with the following:</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>UR-051</comment>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::IndexFileWaitDialog</name>
    <message>
        <source>Please wait. Retrieving update information...</source>
        <comment>UR-020</comment>
        <translation>Please wait. Retrieving update information...</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::InstallDriverPage</name>
    <message>
        <source>Install the device driver</source>
        <comment>UR-275</comment>
        <translation>Install the device driver</translation>
    </message>
    <message>
        <source>&lt;qt&gt;Perform the following steps to install a device driver on your computer.&lt;ol&gt;&lt;li&gt;If the device is already connected to your computer, disconnect it now.&lt;/li&gt;&lt;li&gt;Click the &quot;Install Driver&quot; button on this page.&lt;/li&gt;&lt;li&gt;Respond to any operating system prompts that appear. This will allow the driver to be installed.&lt;/li&gt;&lt;li&gt;Wait a few moments for the driver installation to complete.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</source>
        <comment>UR-262</comment>
        <translation>&lt;qt&gt;Perform the following steps to install a device driver on your computer.&lt;ol&gt;&lt;li&gt;If the device is already connected to your computer, disconnect it now.&lt;/li&gt;&lt;li&gt;Click the &quot;Install Driver&quot; button on this page.&lt;/li&gt;&lt;li&gt;Respond to any operating system prompts that appear. This will allow the driver to be installed.&lt;/li&gt;&lt;li&gt;Wait a few moments for the driver installation to complete.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</translation>
    </message>
    <message>
        <source>Install Driver</source>
        <comment>UR-333</comment>
        <translation>Install Driver</translation>
    </message>
    <message>
        <source>Success! Click &quot;Next&quot; to continue.</source>
        <comment>UR-272</comment>
        <translation>Success! Click &quot;Next&quot; to continue.</translation>
    </message>
    <message>
        <source>&lt;qt&gt;If you encounter any problems, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/qt&gt;</source>
        <comment>UR-274</comment>
        <translation>&lt;qt&gt;If you encounter any problems, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/qt&gt;</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::PrepareDevicePage</name>
    <message>
        <source>Prepare your device</source>
        <comment>UR-341</comment>
        <translation>Prepare your device</translation>
    </message>
    <message>
        <source>&lt;qt&gt;Perform the following steps to prepare your device for communication.&lt;ol&gt;&lt;li&gt;Press and hold the Volume Up (+), Volume Down (&amp;#150;) and Multi-function buttons simultaneously for at least 5 seconds until the battery indicator blinks green.&lt;/li&gt;&lt;li&gt;Wait a few moments to allow this program to detect your device.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</source>
        <comment>UR-335</comment>
        <translation>&lt;qt&gt;Perform the following steps to prepare your device for communication.&lt;ol&gt;&lt;li&gt;Press and hold the Volume Up (+), Volume Down (&amp;#150;) and Multi-function buttons simultaneously for at least 5 seconds until the battery indicator blinks green.&lt;/li&gt;&lt;li&gt;Wait a few moments to allow this program to detect your device.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</translation>
    </message>
    <message>
        <source>The update process will proceed automatically once the device is detected.</source>
        <comment>UR-356</comment>
        <translation>The update process will proceed automatically once the device is detected.</translation>
    </message>
    <message>
        <source>&lt;qt&gt;If you encounter any problems, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/qt&gt;</source>
        <comment>UR-338</comment>
        <translation>&lt;qt&gt;If you encounter any problems, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/qt&gt;</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::RedoConnectionStepsDialog</name>
    <message>
        <source>Incorrect device driver installed</source>
        <comment>UR-367</comment>
        <translation>Incorrect device driver installed</translation>
    </message>
    <message>
        <source>&lt;p&gt;Windows applied a different device driver than expected. You can correct this problem by repeating some of the steps you have performed.&lt;/p&gt;&lt;p&gt;Click &quot;Close&quot; and then follow the on-screen instructions again.</source>
        <comment>UR-368</comment>
        <translation>&lt;p&gt;The system bound a different driver to the device than expected. You can correct this problem by repeating some of the steps you have performed.&lt;/p&gt;&lt;p&gt;Click &quot;Close&quot; and then follow the on-screen instructions again.</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>UR-370</comment>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::SelectFirmwareDialog</name>
    <message>
        <source>Select Software Version</source>
        <comment>UR-300</comment>
        <translation>Select Software Version</translation>
    </message>
    <message>
        <source>Select the desired software version.</source>
        <comment>UR-301</comment>
        <translation>Select the desired software version.</translation>
    </message>
    <message>
        <source>OK</source>
        <comment>UR-309</comment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <comment>UR-311</comment>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 (Current)</source>
        <comment>UR-305</comment>
        <translation>%1 (Current)</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::SelectLanguageDialog</name>
    <message>
        <source>Select Language</source>
        <comment>UR-007</comment>
        <translation>Select Language</translation>
    </message>
    <message>
        <source>Select your language.</source>
        <comment>UR-008</comment>
        <translation>Select your language.</translation>
    </message>
    <message>
        <source>OK</source>
        <comment>UR-014</comment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <comment>UR-016</comment>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::SplashScreen</name>
    <message>
        <source>&lt;b&gt;Orvo ZR3h &lt;i&gt;Bluetooth&lt;sup&gt;&amp;#174;&lt;/sup&gt;&lt;/i&gt; Headphone Update&lt;/b&gt;</source>
        <comment>UR-004</comment>
        <translation>&lt;b&gt;Orvo ZR3h &lt;i&gt;Bluetooth&lt;sup&gt;&amp;#174;&lt;/sup&gt;&lt;/i&gt; Headphone Update&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;Version %1&lt;/b&gt;</source>
        <comment>UR-005</comment>
        <translation>&lt;b&gt;Version %1&lt;/b&gt;</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::SuccessPage</name>
    <message>
        <source>Process completed</source>
        <comment>UR-099</comment>
        <translation>Process completed</translation>
    </message>
    <message>
        <source>Your device has been successfully updated. It is now safe to turn the device off.</source>
        <comment>UR-090</comment>
        <translation>Your device has been successfully updated. It is now safe to turn the device off.</translation>
    </message>
    <message>
        <source>Software version:</source>
        <comment>UR-092</comment>
        <translation>Software version:</translation>
    </message>
    <message>
        <source>Click &quot;Finish&quot; to close this window.</source>
        <comment>UR-205</comment>
        <translation>Click &quot;Finish&quot; to close this window.</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::SystemInfoDialog</name>
    <message>
        <source>System Information</source>
        <comment>UR-101</comment>
        <translation>System Information</translation>
    </message>
    <message>
        <source>Send to Orvo</source>
        <comment>UR-109</comment>
        <translation>Send to Orvo</translation>
    </message>
    <message>
        <source>Uploading to Orvo... (%1% complete)</source>
        <comment>UR-116</comment>
        <translation>Uploading to Orvo... (%1% complete)</translation>
    </message>
    <message>
        <source>Upload completed.</source>
        <comment>UR-118</comment>
        <translation>Upload completed.</translation>
    </message>
    <message>
        <source>Upload canceled.</source>
        <comment>UR-117</comment>
        <translation>Upload canceled.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <comment>UR-113</comment>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>UR-112</comment>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::UploadFailureDialog</name>
    <message>
        <source>Orvo did not receive the information</source>
        <comment>UR-142</comment>
        <translation>Orvo did not receive the information</translation>
    </message>
    <message>
        <source>There was a problem sending your information to Orvo. Ask your Orvo Product Support representative for further instructions.</source>
        <comment>UR-143</comment>
        <translation>There was a problem sending your information to Orvo. Ask your Orvo Product Support representative for further instructions.</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>UR-145</comment>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::WelcomePage</name>
    <message>
        <source>Welcome to %1</source>
        <comment>UR-058</comment>
        <translation>Welcome to %1</translation>
    </message>
    <message>
        <source>Review the following license agreement:</source>
        <comment>UR-053</comment>
        <translation>Review the following license agreement:</translation>
    </message>
    <message>
        <source>I accept the terms of the license agreement.</source>
        <comment>UR-056</comment>
        <translation>I accept the terms of the license agreement.</translation>
    </message>
</context>
</TS>
