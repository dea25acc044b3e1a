<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>ConfirmationHeadline</name>
    <message>
        <source>This application has not finished</source>
        <comment>UR-193 - CONFIRM_ABORT_HEADLINE</comment>
        <translation>Dieses Programm hat seine Arbeit noch nicht beendet</translation>
    </message>
    <message>
        <source>The data upload is not yet complete</source>
        <comment>UR-120 - CONFIRM_CANCEL_UPLOAD_HEADLINE</comment>
        <translation>Das Hochladen der Daten ist noch nicht abgeschlossen</translation>
    </message>
    <message>
        <source>Selection mode will be enabled</source>
        <comment>UR-313 - CONFIRM_DOWNGRADE_HEADLINE</comment>
        <translation>Der Auswahlmodus wird aktiviert</translation>
    </message>
    <message>
        <source>Orvo Product Support may be able to help you</source>
        <comment>UR-170 - CONFIRM_ERROR_EXIT_HEADLINE</comment>
        <translation>Der Orvo-Produktsupport kann Ihnen möglicherweise helfen</translation>
    </message>
</context>
<context>
    <name>ConfirmationQuestions</name>
    <message>
        <source>Are you sure you want to exit?</source>
        <comment>UR-194 - CONFIRM_ABORT_QUESTION</comment>
        <translation>Möchten Sie das Programm wirklich beenden?</translation>
    </message>
    <message>
        <source>Are you sure you want to cancel the upload?</source>
        <comment>UR-121 - CONFIRM_CANCEL_UPLOAD_QUESTION</comment>
        <translation>Möchten Sie das Hochladen wirklich abbrechen?</translation>
    </message>
    <message>
        <source>Are you sure you want to enable selection mode?</source>
        <comment>UR-314 - CONFIRM_DOWNGRADE_QUESTION</comment>
        <translation>Möchten Sie den Auswahlmodus wirklich aktivieren?</translation>
    </message>
    <message>
        <source>&lt;p&gt;If you have not already contacted Orvo Product Support, you may want to do so before exiting this application. They may be able to help you correct the error that has occurred.&lt;/p&gt;&lt;p&gt;Are you sure you want to exit?&lt;/p&gt;</source>
        <comment>UR-171 - CONFIRM_ERROR_EXIT_QUESTION</comment>
        <translation>&lt;p&gt;Falls Sie sich noch nicht an den Orvo-Produktsupport gewandt haben, sollten Sie dies tun, bevor Sie das Programm beenden. Dort kann man Ihnen möglicherweise helfen, den aufgetretenen Fehler zu beheben.&lt;/p&gt;&lt;p&gt;Möchten Sie das Programm wirklich beenden?&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>ErrorDetails</name>
    <message>
        <source>&lt;p&gt;A file that is necessary to run this program is not accessible.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;If you obtained this program from the Orvo website, check your Internet connection.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot;.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Auf eine Datei, die zum Ausführen dieses Programms erforderlich ist, kann nicht zugegriffen werden.&lt;/p&gt;&lt;p&gt;Fehlerbehebung:&lt;ul&gt;&lt;li&gt;Wenn Sie dieses Programm von der Orvo-Website bezogen haben, überprüfen Sie Ihre Internetverbindung.&lt;/li&gt;&lt;li&gt;Klicken Sie auf „Wiederholen“.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;Wenn das Problem weiterhin besteht, &lt;a href=&quot;ContactInfoDialog&quot;&gt;wenden Sie sich an den Orvo-Produktsupport&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;A file that is necessary to run this program appears to be damaged.&lt;/p&gt;&lt;p&gt;Click &quot;Retry&quot; to attempt to retrieve this file again. If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Eine Datei, die zum Ausführen dieses Programms erforderlich ist, scheint beschädigt zu sein.&lt;/p&gt;&lt;p&gt;Klicken Sie auf „Wiederholen“, um die Datei erneut abzurufen. Wenn das Problem weiterhin besteht, &lt;a href=&quot;ContactInfoDialog&quot;&gt;wenden Sie sich an den Orvo-Produktsupport&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program has not been able to access the files that are necessary to update your device.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;If you obtained this program from the Orvo website, check your Internet connection before you continue.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot;.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Dieses Programm konnte nicht auf die Dateien zugreifen, die zur Aktualisierung Ihres Geräts erforderlich sind.&lt;/p&gt;&lt;p&gt;Fehlerbehebung:&lt;ul&gt;&lt;li&gt;Wenn Sie dieses Programm von der Orvo-Website bezogen haben, überprüfen Sie Ihre Internetverbindung, bevor Sie fortfahren.&lt;/li&gt;&lt;li&gt;Klicken Sie auf „Wiederholen“.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;Wenn das Problem weiterhin besteht, &lt;a href=&quot;ContactInfoDialog&quot;&gt;wenden Sie sich an den Orvo-Produktsupport&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;The files that are necessary to update your device appear to be damaged.&lt;/p&gt;&lt;p&gt;Click &quot;Retry&quot; to attempt to retrieve these files again. If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die Dateien, die zur Aktualisierung Ihres Geräts erforderlich sind, scheinen beschädigt zu sein.&lt;/p&gt;&lt;p&gt;Klicken Sie auf „Wiederholen“, um die Dateien erneut abzurufen. Wenn das Problem weiterhin besteht, &lt;a href=&quot;ContactInfoDialog&quot;&gt;wenden Sie sich an den Orvo-Produktsupport&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program was unable to confirm that the device update completed successfully.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Dieses Programm konnte nicht bestätigen, dass die Aktualisierung des Geräts erfolgreich abgeschlossen wurde.&lt;/p&gt;&lt;p&gt;Fehlerbehebung:&lt;ul&gt;&lt;li&gt;Schalten Sie das Gerät AUS.&lt;/li&gt;&lt;li&gt;Klicken Sie auf „Wiederholen“ und folgen Sie dann den Anweisungen auf dem Bildschirm.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;Wenn das Problem weiterhin besteht, &lt;a href=&quot;ContactInfoDialog&quot;&gt;wenden Sie sich an den Orvo-Produktsupport&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;It appears that the device was not successfully updated.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Das Gerät wurde offenbar nicht erfolgreich aktualisiert.&lt;/p&gt;&lt;p&gt;Fehlerbehebung:&lt;ul&gt;&lt;li&gt;Schalten Sie das Gerät AUS.&lt;/li&gt;&lt;li&gt;Klicken Sie auf „Wiederholen“ und folgen Sie dann den Anweisungen auf dem Bildschirm.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;Wenn das Problem weiterhin besteht, &lt;a href=&quot;ContactInfoDialog&quot;&gt;wenden Sie sich an den Orvo-Produktsupport&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Make sure that the USB cable is securely connected to both the device and your computer.&lt;/li&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Fehlerbehebung:&lt;ul&gt;&lt;li&gt;Vergewissern Sie sich, dass das USB-Kabel fest mit dem Gerät und mit Ihrem Computer verbunden ist.&lt;/li&gt;&lt;li&gt;Schalten Sie das Gerät AUS.&lt;/li&gt;&lt;li&gt;Klicken Sie auf „Wiederholen“ und folgen Sie dann den Anweisungen auf dem Bildschirm.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;Wenn das Problem weiterhin besteht, &lt;a href=&quot;ContactInfoDialog&quot;&gt;wenden Sie sich an den Orvo-Produktsupport&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program detected more than one supported Orvo device. Only one device can be updated at a time.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Disconnect all Orvo devices from your computer except the one that you want to update.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot;.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Dieses Programm hat mehr als ein unterstütztes Orvo-Gerät erkannt. Es kann jeweils nur ein Gerät aktualisiert werden.&lt;/p&gt;&lt;p&gt;Fehlerbehebung:&lt;ul&gt;&lt;li&gt;Trennen Sie alle Orvo-Geräte von Ihrem Computer, außer dem Gerät, das Sie aktualisieren möchten.&lt;/li&gt;&lt;li&gt;Klicken Sie auf „Wiederholen“.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;Wenn das Problem weiterhin besteht, &lt;a href=&quot;ContactInfoDialog&quot;&gt;wenden Sie sich an den Orvo-Produktsupport&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;A problem has caused this program to fail.&lt;/p&gt;&lt;p&gt;Click &quot;Exit&quot; and then try running this program again. If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Ein Problem hat zum Abbruch dieses Programms geführt.&lt;/p&gt;&lt;p&gt;Klicken Sie auf „Beenden“ und starten Sie das Programm anschließend erneut. Wenn das Problem weiterhin besteht, &lt;a href=&quot;ContactInfoDialog&quot;&gt;wenden Sie sich an den Orvo-Produktsupport&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program could not find any software version selections for your device.  Please inform your Orvo Product Support representative of this message.&lt;/p&gt;&lt;p&gt;If you encounter this message and are not currently in contact with a Orvo Product Support representative, please &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Dieses Programm konnte für Ihr Gerät keine auswählbaren Software-Versionen finden. Bitte teilen Sie diese Meldung Ihrem Ansprechpartner beim Orvo-Produktsupport mit.&lt;/p&gt;&lt;p&gt;Wenn diese Meldung erscheint und Sie derzeit nicht mit einem Ansprechpartner beim Orvo-Produktsupport in Kontakt stehen, &lt;a href=&quot;ContactInfoDialog&quot;&gt;wenden Sie sich bitte an den Orvo-Produktsupport&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;There was a problem updating your device.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Bei der Aktualisierung Ihres Geräts ist ein Problem aufgetreten.&lt;/p&gt;&lt;p&gt;Fehlerbehebung:&lt;ul&gt;&lt;li&gt;Schalten Sie das Gerät AUS.&lt;/li&gt;&lt;li&gt;Klicken Sie auf „Wiederholen“ und folgen Sie dann den Anweisungen auf dem Bildschirm.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;Wenn das Problem weiterhin besteht, &lt;a href=&quot;ContactInfoDialog&quot;&gt;wenden Sie sich an den Orvo-Produktsupport&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Windows&apos; process for enabling communication with your device was ended before it could be completed successfully.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Der Vorgang des Systems, der die Kommunikation mit Ihrem Gerät ermöglicht, wurde beendet, bevor er erfolgreich abgeschlossen werden konnte.&lt;/p&gt;&lt;p&gt;Fehlerbehebung:&lt;ul&gt;&lt;li&gt;Schalten Sie das Gerät AUS.&lt;/li&gt;&lt;li&gt;Klicken Sie auf „Wiederholen“ und folgen Sie dann den Anweisungen auf dem Bildschirm.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;Wenn das Problem weiterhin besteht, &lt;a href=&quot;ContactInfoDialog&quot;&gt;wenden Sie sich an den Orvo-Produktsupport&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Click &quot;Retry&quot; and then follow the on-screen instructions to try to install the driver again.&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Klicken Sie auf „Wiederholen“ und folgen Sie dann den Anweisungen auf dem Bildschirm, um den Treiber erneut zu installieren.&lt;/p&gt;&lt;p&gt;Wenn das Problem weiterhin besteht, &lt;a href=&quot;ContactInfoDialog&quot;&gt;wenden Sie sich an den Orvo-Produktsupport&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program identified the wrong update files for your device.  This is a problem that Orvo will need to resolve.&lt;/p&gt;&lt;p&gt;Please &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt; and inform the Orvo Product Support representative about this message.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Dieses Programm hat für Ihr Gerät die falschen Aktualisierungsdateien ermittelt. Dieses Problem muss von Orvo behoben werden.&lt;/p&gt;&lt;p&gt;Bitte &lt;a href=&quot;ContactInfoDialog&quot;&gt;wenden Sie sich an den Orvo-Produktsupport&lt;/a&gt; und teilen Sie Ihrem Ansprechpartner dort diese Meldung mit.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program must perform an action that requires Administrator privileges.&lt;/p&gt;&lt;p&gt;Instructions:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Log out of Windows, log in using a Windows Administrator user account, and then run this program again.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Dieses Programm muss einen Vorgang ausführen, der Administratorrechte erfordert.&lt;/p&gt;&lt;p&gt;Anleitung:&lt;ul&gt;&lt;li&gt;Schalten Sie das Gerät AUS.&lt;/li&gt;&lt;li&gt;Schließen Sie dieses Programm und starten Sie es erneut als root, dem Administratorkonto des Systems.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;Wenn das Problem weiterhin besteht, &lt;a href=&quot;ContactInfoDialog&quot;&gt;wenden Sie sich an den Orvo-Produktsupport&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>ErrorHeadline</name>
    <message>
        <source>Update information is unavailable</source>
        <translation>Die Aktualisierungsinformationen sind nicht verfügbar</translation>
    </message>
    <message>
        <source>Update information is damaged</source>
        <translation>Die Aktualisierungsinformationen sind beschädigt</translation>
    </message>
    <message>
        <source>Device update files are unavailable</source>
        <translation>Die Aktualisierungsdateien für das Gerät sind nicht verfügbar</translation>
    </message>
    <message>
        <source>Device update files are damaged</source>
        <translation>Die Aktualisierungsdateien für das Gerät sind beschädigt</translation>
    </message>
    <message>
        <source>Device update could not be verified</source>
        <translation>Die Aktualisierung des Geräts konnte nicht überprüft werden</translation>
    </message>
    <message>
        <source>Device update was unsuccessful</source>
        <translation>Die Aktualisierung des Geräts war nicht erfolgreich</translation>
    </message>
    <message>
        <source>Your device has been disconnected</source>
        <translation>Die Verbindung zu Ihrem Gerät wurde getrennt</translation>
    </message>
    <message>
        <source>More than one device is connected</source>
        <translation>Es ist mehr als ein Gerät angeschlossen</translation>
    </message>
    <message>
        <source>This program cannot continue</source>
        <translation>Dieses Programm kann nicht fortfahren</translation>
    </message>
    <message>
        <source>There are no selections available</source>
        <translation>Es ist keine Auswahl verfügbar</translation>
    </message>
    <message>
        <source>Device update has failed</source>
        <translation>Die Aktualisierung des Geräts ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>Hardware configuration was not completed</source>
        <translation>Die Hardwarekonfiguration wurde nicht abgeschlossen</translation>
    </message>
    <message>
        <source>Device driver installation failed</source>
        <translation>Die Installation des Gerätetreibers ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>Device update files are incorrect</source>
        <translation>Die Aktualisierungsdateien für das Gerät sind falsch</translation>
    </message>
    <message>
        <source>Administrator permissions are needed to continue</source>
        <translation>Zum Fortfahren sind Administratorrechte erforderlich</translation>
    </message>
</context>
<context>
    <name>StatusDialogClass</name>
    <message>
        <source>Script Running</source>
        <translation>Skript wird ausgeführt</translation>
    </message>
    <message>
        <source>Script in progress. Click &quot;Cancel&quot; to stop.</source>
        <translation>Das Skript wird ausgeführt. Klicken Sie zum Beenden auf „Abbrechen“.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
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
        <translation>Orvo-Gerät</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::AdminCredentialsNeededDialog</name>
    <message>
        <source>&lt;font size=&quot;+1&quot;&gt;Administrator permissions are required&lt;/font&gt;</source>
        <comment>UR-254</comment>
        <translation>&lt;font size=&quot;+1&quot;&gt;Administratorrechte sind erforderlich&lt;/font&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program must be run on a Windows account with Administrator privileges.  Please log out of Windows, log in using a Windows Administrator user account, and then run this program again.&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <comment>UR-255</comment>
        <translation>&lt;p&gt;Dieses Programm muss als root, dem Administratorkonto des Systems, ausgeführt werden. Bitte schließen Sie das Programm und starten Sie es erneut als root.&lt;/p&gt;&lt;p&gt;Wenn das Problem weiterhin besteht, &lt;a href=&quot;ContactInfoDialog&quot;&gt;wenden Sie sich an den Orvo-Produktsupport&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Exit</source>
        <comment>UR-257</comment>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::AlreadyUpToDatePage</name>
    <message>
        <source>Update is not needed</source>
        <comment>UR-088</comment>
        <translation>Keine Aktualisierung erforderlich</translation>
    </message>
    <message>
        <source>Your device already has the latest software version.  No update is needed.  It is now safe to turn the device off and disconnect the USB cable.</source>
        <comment>UR-078</comment>
        <translation>Ihr Gerät verfügt bereits über die neueste Software-Version. Eine Aktualisierung ist nicht erforderlich. Sie können das Gerät jetzt gefahrlos ausschalten und das USB-Kabel trennen.</translation>
    </message>
    <message>
        <source>Update was not successful</source>
        <comment>UR-398</comment>
        <translation>Die Aktualisierung war nicht erfolgreich</translation>
    </message>
    <message>
        <source>&lt;qt&gt;&lt;p&gt;&lt;b&gt;Error:&lt;/b&gt;&amp;nbsp; This program does not support software version updates for your device configuration.&lt;/p&gt;&lt;p&gt;Keep this program open and &lt;a href=&quot;support&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;&lt;p&gt;It is now safe to disconnect the USB cable from the device.&lt;/p&gt;&lt;/qt&gt;</source>
        <comment>UR-395</comment>
        <translation>&lt;qt&gt;&lt;p&gt;&lt;b&gt;Fehler:&lt;/b&gt;&amp;nbsp; Dieses Programm unterstützt keine Aktualisierung der Software-Version für die Konfiguration Ihres Geräts.&lt;/p&gt;&lt;p&gt;Lassen Sie dieses Programm geöffnet und &lt;a href=&quot;support&quot;&gt;wenden Sie sich an den Orvo-Produktsupport&lt;/a&gt;.&lt;/p&gt;&lt;p&gt;Sie können das USB-Kabel jetzt gefahrlos vom Gerät trennen.&lt;/p&gt;&lt;/qt&gt;</translation>
    </message>
    <message>
        <source>Software version:</source>
        <comment>UR-080</comment>
        <translation>Software-Version:</translation>
    </message>
    <message>
        <source>Click &quot;Finish&quot; to close this window.</source>
        <comment>UR-087, UR-397</comment>
        <translation>Klicken Sie auf „Fertig stellen“, um dieses Fenster zu schließen.</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::ApplicationWizard</name>
    <message>
        <source>License Agreement</source>
        <translation>Lizenzvereinbarung</translation>
    </message>
    <message>
        <source>System Information</source>
        <translation>Systeminformationen</translation>
    </message>
    <message>
        <source>Orvo Product Support</source>
        <translation>Orvo-Produktsupport</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Fertig stellen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::CommStatusPage</name>
    <message>
        <source>Device update progress</source>
        <comment>UR-075</comment>
        <translation>Fortschritt der Geräteaktualisierung</translation>
    </message>
    <message>
        <source>If you need to quit this process, click &quot;Cancel&quot;.</source>
        <comment>UR-296</comment>
        <translation>Wenn Sie diesen Vorgang abbrechen müssen, klicken Sie auf „Abbrechen“.</translation>
    </message>
    <message>
        <source>DO NOT turn off or disconnect your device.</source>
        <comment>UR-297</comment>
        <translation>Schalten Sie Ihr Gerät NICHT aus und trennen Sie es NICHT.</translation>
    </message>
    <message>
        <source>Waiting for version selection...</source>
        <comment>UR-359</comment>
        <translation>Warten auf die Auswahl der Version...</translation>
    </message>
    <message>
        <source>Downloading update files from Orvo server...</source>
        <comment>UR-069</comment>
        <translation>Aktualisierungsdateien werden vom Orvo-Server heruntergeladen...</translation>
    </message>
    <message>
        <source>Updating your device...</source>
        <comment>UR-070</comment>
        <translation>Ihr Gerät wird aktualisiert...</translation>
    </message>
    <message>
        <source>Confirming successful update...</source>
        <comment>UR-196</comment>
        <translation>Erfolgreiche Aktualisierung wird überprüft...</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::ConfirmationBox</name>
    <message>
        <source>Yes</source>
        <comment>UR-173</comment>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <comment>UR-175</comment>
        <translation>Nein</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::ConnectDevicePage</name>
    <message>
        <source>Connect your device</source>
        <comment>UR-066</comment>
        <translation>Gerät anschließen</translation>
    </message>
    <message>
        <source>&lt;qt&gt;Perform the following steps to connect the device to your computer.&lt;ol&gt;&lt;li&gt;Switch the device ON.&lt;/li&gt;&lt;li&gt;Plug the smaller end of the micro-USB cable into the device.&lt;/li&gt;&lt;li&gt;Connect the other end of the cable to a USB port on your computer.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</source>
        <comment>UR-277</comment>
        <translation>&lt;qt&gt;Führen Sie die folgenden Schritte aus, um das Gerät an Ihren Computer anzuschließen.&lt;ol&gt;&lt;li&gt;Schalten Sie das Gerät EIN.&lt;/li&gt;&lt;li&gt;Stecken Sie den kleineren Stecker des Micro-USB-Kabels in das Gerät.&lt;/li&gt;&lt;li&gt;Verbinden Sie das andere Ende des Kabels mit einem USB-Anschluss Ihres Computers.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</translation>
    </message>
    <message>
        <source>Click &quot;Next&quot; to continue.</source>
        <comment>UR-063</comment>
        <translation>Klicken Sie auf „Weiter“, um fortzufahren.</translation>
    </message>
    <message>
        <source>&lt;qt&gt;If you encounter any problems, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/qt&gt;</source>
        <comment>UR-065</comment>
        <translation>&lt;qt&gt;Wenn Probleme auftreten, &lt;a href=&quot;ContactInfoDialog&quot;&gt;wenden Sie sich an den Orvo-Produktsupport&lt;/a&gt;.&lt;/qt&gt;</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::ErrorBox</name>
    <message>
        <source>System Information</source>
        <comment>UR-164</comment>
        <translation>Systeminformationen</translation>
    </message>
    <message>
        <source>Retry</source>
        <comment>UR-166</comment>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Exit</source>
        <comment>UR-168</comment>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::EulaDialog</name>
    <message>
        <source>License Agreement</source>
        <comment>UR-046</comment>
        <translation>Lizenzvereinbarung</translation>
    </message>
    <message>
        <source>You have agreed to comply with the following:</source>
        <comment>UR-047</comment>
        <translation>Sie haben sich mit den folgenden Bedingungen einverstanden erklärt:</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>UR-051</comment>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::IndexFileWaitDialog</name>
    <message>
        <source>Please wait. Retrieving update information...</source>
        <comment>UR-020</comment>
        <translation>Bitte warten. Aktualisierungsinformationen werden abgerufen...</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::InstallDriverPage</name>
    <message>
        <source>Install the device driver</source>
        <comment>UR-275</comment>
        <translation>Gerätetreiber installieren</translation>
    </message>
    <message>
        <source>&lt;qt&gt;Perform the following steps to install a device driver on your computer.&lt;ol&gt;&lt;li&gt;If the device is already connected to your computer, disconnect it now.&lt;/li&gt;&lt;li&gt;Click the &quot;Install Driver&quot; button on this page.&lt;/li&gt;&lt;li&gt;Respond to any operating system prompts that appear. This will allow the driver to be installed.&lt;/li&gt;&lt;li&gt;Wait a few moments for the driver installation to complete.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</source>
        <comment>UR-262</comment>
        <translation>&lt;qt&gt;Führen Sie die folgenden Schritte aus, um einen Gerätetreiber auf Ihrem Computer zu installieren.&lt;ol&gt;&lt;li&gt;Wenn das Gerät bereits an Ihren Computer angeschlossen ist, trennen Sie es jetzt.&lt;/li&gt;&lt;li&gt;Klicken Sie auf dieser Seite auf die Schaltfläche „Treiber installieren“.&lt;/li&gt;&lt;li&gt;Beantworten Sie alle Abfragen des Betriebssystems, die angezeigt werden. Dadurch kann der Treiber installiert werden.&lt;/li&gt;&lt;li&gt;Warten Sie einen Moment, bis die Installation des Treibers abgeschlossen ist.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</translation>
    </message>
    <message>
        <source>Install Driver</source>
        <comment>UR-333</comment>
        <translation>Treiber installieren</translation>
    </message>
    <message>
        <source>Success! Click &quot;Next&quot; to continue.</source>
        <comment>UR-272</comment>
        <translation>Erfolgreich! Klicken Sie auf „Weiter“, um fortzufahren.</translation>
    </message>
    <message>
        <source>&lt;qt&gt;If you encounter any problems, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/qt&gt;</source>
        <comment>UR-274</comment>
        <translation>&lt;qt&gt;Wenn Probleme auftreten, &lt;a href=&quot;ContactInfoDialog&quot;&gt;wenden Sie sich an den Orvo-Produktsupport&lt;/a&gt;.&lt;/qt&gt;</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::PrepareDevicePage</name>
    <message>
        <source>Prepare your device</source>
        <comment>UR-341</comment>
        <translation>Gerät vorbereiten</translation>
    </message>
    <message>
        <source>&lt;qt&gt;Perform the following steps to prepare your device for communication.&lt;ol&gt;&lt;li&gt;Press and hold the Volume Up (+), Volume Down (&amp;#150;) and Multi-function buttons simultaneously for at least 5 seconds until the battery indicator blinks green.&lt;/li&gt;&lt;li&gt;Wait a few moments to allow this program to detect your device.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</source>
        <comment>UR-335</comment>
        <translation>&lt;qt&gt;Führen Sie die folgenden Schritte aus, um Ihr Gerät für die Kommunikation vorzubereiten.&lt;ol&gt;&lt;li&gt;Halten Sie die Tasten „Lauter“ (+), „Leiser“ (&amp;#150;) und die Multifunktionstaste gleichzeitig mindestens 5 Sekunden lang gedrückt, bis die Akkuanzeige grün blinkt.&lt;/li&gt;&lt;li&gt;Warten Sie einen Moment, bis dieses Programm Ihr Gerät erkannt hat.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</translation>
    </message>
    <message>
        <source>The update process will proceed automatically once the device is detected.</source>
        <comment>UR-356</comment>
        <translation>Die Aktualisierung wird automatisch fortgesetzt, sobald das Gerät erkannt wurde.</translation>
    </message>
    <message>
        <source>&lt;qt&gt;If you encounter any problems, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/qt&gt;</source>
        <comment>UR-338</comment>
        <translation>&lt;qt&gt;Wenn Probleme auftreten, &lt;a href=&quot;ContactInfoDialog&quot;&gt;wenden Sie sich an den Orvo-Produktsupport&lt;/a&gt;.&lt;/qt&gt;</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::RedoConnectionStepsDialog</name>
    <message>
        <source>Incorrect device driver installed</source>
        <comment>UR-367</comment>
        <translation>Falscher Gerätetreiber installiert</translation>
    </message>
    <message>
        <source>&lt;p&gt;Windows applied a different device driver than expected. You can correct this problem by repeating some of the steps you have performed.&lt;/p&gt;&lt;p&gt;Click &quot;Close&quot; and then follow the on-screen instructions again.</source>
        <comment>UR-368</comment>
        <translation>&lt;p&gt;Das System hat dem Gerät einen anderen Treiber als erwartet zugeordnet. Sie können dieses Problem beheben, indem Sie einige der bereits ausgeführten Schritte wiederholen.&lt;/p&gt;&lt;p&gt;Klicken Sie auf „Schließen“ und folgen Sie dann erneut den Anweisungen auf dem Bildschirm.</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>UR-370</comment>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::SelectFirmwareDialog</name>
    <message>
        <source>Select Software Version</source>
        <comment>UR-300</comment>
        <translation>Software-Version auswählen</translation>
    </message>
    <message>
        <source>Select the desired software version.</source>
        <comment>UR-301</comment>
        <translation>Wählen Sie die gewünschte Software-Version aus.</translation>
    </message>
    <message>
        <source>OK</source>
        <comment>UR-309</comment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <comment>UR-311</comment>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%1 (Current)</source>
        <comment>UR-305</comment>
        <translation>%1 (aktuell)</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::SelectLanguageDialog</name>
    <message>
        <source>Select Language</source>
        <comment>UR-007</comment>
        <translation>Sprache auswählen</translation>
    </message>
    <message>
        <source>Select your language.</source>
        <comment>UR-008</comment>
        <translation>Wählen Sie Ihre Sprache aus.</translation>
    </message>
    <message>
        <source>OK</source>
        <comment>UR-014</comment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <comment>UR-016</comment>
        <translation>Abbrechen</translation>
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
        <translation>Vorgang abgeschlossen</translation>
    </message>
    <message>
        <source>Your device has been successfully updated. It is now safe to turn the device off.</source>
        <comment>UR-090</comment>
        <translation>Ihr Gerät wurde erfolgreich aktualisiert. Sie können das Gerät jetzt gefahrlos ausschalten.</translation>
    </message>
    <message>
        <source>Software version:</source>
        <comment>UR-092</comment>
        <translation>Software-Version:</translation>
    </message>
    <message>
        <source>Click &quot;Finish&quot; to close this window.</source>
        <comment>UR-205</comment>
        <translation>Klicken Sie auf „Fertig stellen“, um dieses Fenster zu schließen.</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::SystemInfoDialog</name>
    <message>
        <source>System Information</source>
        <comment>UR-101</comment>
        <translation>Systeminformationen</translation>
    </message>
    <message>
        <source>Send to Orvo</source>
        <comment>UR-109</comment>
        <translation>An Orvo senden</translation>
    </message>
    <message>
        <source>Uploading to Orvo... (%1% complete)</source>
        <comment>UR-116</comment>
        <translation>Hochladen zu Orvo... (%1&#xa0;% abgeschlossen)</translation>
    </message>
    <message>
        <source>Upload completed.</source>
        <comment>UR-118</comment>
        <translation>Hochladen abgeschlossen.</translation>
    </message>
    <message>
        <source>Upload canceled.</source>
        <comment>UR-117</comment>
        <translation>Hochladen abgebrochen.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <comment>UR-113</comment>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>UR-112</comment>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::UploadFailureDialog</name>
    <message>
        <source>Orvo did not receive the information</source>
        <comment>UR-142</comment>
        <translation>Orvo hat die Informationen nicht erhalten</translation>
    </message>
    <message>
        <source>There was a problem sending your information to Orvo. Ask your Orvo Product Support representative for further instructions.</source>
        <comment>UR-143</comment>
        <translation>Beim Senden Ihrer Informationen an Orvo ist ein Problem aufgetreten. Bitten Sie Ihren Ansprechpartner beim Orvo-Produktsupport um weitere Anweisungen.</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>UR-145</comment>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::WelcomePage</name>
    <message>
        <source>Welcome to %1</source>
        <comment>UR-058</comment>
        <translation>Willkommen bei %1</translation>
    </message>
    <message>
        <source>Review the following license agreement:</source>
        <comment>UR-053</comment>
        <translation>Lesen Sie die folgende Lizenzvereinbarung:</translation>
    </message>
    <message>
        <source>I accept the terms of the license agreement.</source>
        <comment>UR-056</comment>
        <translation>Ich akzeptiere die Bedingungen der Lizenzvereinbarung.</translation>
    </message>
</context>
</TS>
