<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>ConfirmationHeadline</name>
    <message>
        <source>This application has not finished</source>
        <comment>UR-193 - CONFIRM_ABORT_HEADLINE</comment>
        <translation>Cette application n’a pas encore terminé</translation>
    </message>
    <message>
        <source>The data upload is not yet complete</source>
        <comment>UR-120 - CONFIRM_CANCEL_UPLOAD_HEADLINE</comment>
        <translation>L’envoi des données n’est pas encore terminé</translation>
    </message>
    <message>
        <source>Selection mode will be enabled</source>
        <comment>UR-313 - CONFIRM_DOWNGRADE_HEADLINE</comment>
        <translation>Le mode de sélection va être activé</translation>
    </message>
    <message>
        <source>Orvo Product Support may be able to help you</source>
        <comment>UR-170 - CONFIRM_ERROR_EXIT_HEADLINE</comment>
        <translation>Le support produit Orvo pourrait vous aider</translation>
    </message>
</context>
<context>
    <name>ConfirmationQuestions</name>
    <message>
        <source>Are you sure you want to exit?</source>
        <comment>UR-194 - CONFIRM_ABORT_QUESTION</comment>
        <translation>Voulez-vous vraiment quitter&#xa0;?</translation>
    </message>
    <message>
        <source>Are you sure you want to cancel the upload?</source>
        <comment>UR-121 - CONFIRM_CANCEL_UPLOAD_QUESTION</comment>
        <translation>Voulez-vous vraiment annuler l’envoi&#xa0;?</translation>
    </message>
    <message>
        <source>Are you sure you want to enable selection mode?</source>
        <comment>UR-314 - CONFIRM_DOWNGRADE_QUESTION</comment>
        <translation>Voulez-vous vraiment activer le mode de sélection&#xa0;?</translation>
    </message>
    <message>
        <source>&lt;p&gt;If you have not already contacted Orvo Product Support, you may want to do so before exiting this application. They may be able to help you correct the error that has occurred.&lt;/p&gt;&lt;p&gt;Are you sure you want to exit?&lt;/p&gt;</source>
        <comment>UR-171 - CONFIRM_ERROR_EXIT_QUESTION</comment>
        <translation>&lt;p&gt;Si vous n’avez pas encore contacté le support produit Orvo, nous vous conseillons de le faire avant de quitter cette application. Il pourra peut-être vous aider à corriger l’erreur qui s’est produite.&lt;/p&gt;&lt;p&gt;Voulez-vous vraiment quitter&#xa0;?&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>ErrorDetails</name>
    <message>
        <source>&lt;p&gt;A file that is necessary to run this program is not accessible.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;If you obtained this program from the Orvo website, check your Internet connection.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot;.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Un fichier nécessaire au fonctionnement de ce programme n’est pas accessible.&lt;/p&gt;&lt;p&gt;Dépannage&#xa0;:&lt;ul&gt;&lt;li&gt;Si vous avez obtenu ce programme sur le site web d’Orvo, vérifiez votre connexion Internet.&lt;/li&gt;&lt;li&gt;Cliquez sur «&#xa0;Réessayer&#xa0;».&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;Si le problème persiste, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contactez le support produit Orvo&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;A file that is necessary to run this program appears to be damaged.&lt;/p&gt;&lt;p&gt;Click &quot;Retry&quot; to attempt to retrieve this file again. If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Un fichier nécessaire au fonctionnement de ce programme semble endommagé.&lt;/p&gt;&lt;p&gt;Cliquez sur «&#xa0;Réessayer&#xa0;» pour tenter de récupérer à nouveau ce fichier. Si le problème persiste, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contactez le support produit Orvo&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program has not been able to access the files that are necessary to update your device.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;If you obtained this program from the Orvo website, check your Internet connection before you continue.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot;.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Ce programme n’a pas pu accéder aux fichiers nécessaires à la mise à jour de votre appareil.&lt;/p&gt;&lt;p&gt;Dépannage&#xa0;:&lt;ul&gt;&lt;li&gt;Si vous avez obtenu ce programme sur le site web d’Orvo, vérifiez votre connexion Internet avant de continuer.&lt;/li&gt;&lt;li&gt;Cliquez sur «&#xa0;Réessayer&#xa0;».&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;Si le problème persiste, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contactez le support produit Orvo&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;The files that are necessary to update your device appear to be damaged.&lt;/p&gt;&lt;p&gt;Click &quot;Retry&quot; to attempt to retrieve these files again. If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Les fichiers nécessaires à la mise à jour de votre appareil semblent endommagés.&lt;/p&gt;&lt;p&gt;Cliquez sur «&#xa0;Réessayer&#xa0;» pour tenter de récupérer à nouveau ces fichiers. Si le problème persiste, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contactez le support produit Orvo&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program was unable to confirm that the device update completed successfully.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Ce programme n’a pas pu confirmer que la mise à jour de l’appareil s’est terminée correctement.&lt;/p&gt;&lt;p&gt;Dépannage&#xa0;:&lt;ul&gt;&lt;li&gt;Mettez l’appareil HORS TENSION.&lt;/li&gt;&lt;li&gt;Cliquez sur «&#xa0;Réessayer&#xa0;», puis suivez les instructions à l’écran.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;Si le problème persiste, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contactez le support produit Orvo&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;It appears that the device was not successfully updated.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Il semble que l’appareil n’ait pas été mis à jour correctement.&lt;/p&gt;&lt;p&gt;Dépannage&#xa0;:&lt;ul&gt;&lt;li&gt;Mettez l’appareil HORS TENSION.&lt;/li&gt;&lt;li&gt;Cliquez sur «&#xa0;Réessayer&#xa0;», puis suivez les instructions à l’écran.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;Si le problème persiste, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contactez le support produit Orvo&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Make sure that the USB cable is securely connected to both the device and your computer.&lt;/li&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Dépannage&#xa0;:&lt;ul&gt;&lt;li&gt;Assurez-vous que le câble USB est bien branché à l’appareil et à votre ordinateur.&lt;/li&gt;&lt;li&gt;Mettez l’appareil HORS TENSION.&lt;/li&gt;&lt;li&gt;Cliquez sur «&#xa0;Réessayer&#xa0;», puis suivez les instructions à l’écran.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;Si le problème persiste, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contactez le support produit Orvo&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program detected more than one supported Orvo device. Only one device can be updated at a time.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Disconnect all Orvo devices from your computer except the one that you want to update.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot;.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Ce programme a détecté plusieurs appareils Orvo pris en charge. Un seul appareil peut être mis à jour à la fois.&lt;/p&gt;&lt;p&gt;Dépannage&#xa0;:&lt;ul&gt;&lt;li&gt;Déconnectez de votre ordinateur tous les appareils Orvo, sauf celui que vous souhaitez mettre à jour.&lt;/li&gt;&lt;li&gt;Cliquez sur «&#xa0;Réessayer&#xa0;».&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;Si le problème persiste, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contactez le support produit Orvo&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;A problem has caused this program to fail.&lt;/p&gt;&lt;p&gt;Click &quot;Exit&quot; and then try running this program again. If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Un problème a provoqué l’échec de ce programme.&lt;/p&gt;&lt;p&gt;Cliquez sur «&#xa0;Quitter&#xa0;», puis relancez ce programme. Si le problème persiste, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contactez le support produit Orvo&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program could not find any software version selections for your device.  Please inform your Orvo Product Support representative of this message.&lt;/p&gt;&lt;p&gt;If you encounter this message and are not currently in contact with a Orvo Product Support representative, please &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Ce programme n’a trouvé aucune version du logiciel à proposer pour votre appareil. Veuillez signaler ce message à votre interlocuteur du support produit Orvo.&lt;/p&gt;&lt;p&gt;Si ce message s’affiche alors que vous n’êtes pas en contact avec un interlocuteur du support produit Orvo, veuillez &lt;a href=&quot;ContactInfoDialog&quot;&gt;contacter le support produit Orvo&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;There was a problem updating your device.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Un problème est survenu lors de la mise à jour de votre appareil.&lt;/p&gt;&lt;p&gt;Dépannage&#xa0;:&lt;ul&gt;&lt;li&gt;Mettez l’appareil HORS TENSION.&lt;/li&gt;&lt;li&gt;Cliquez sur «&#xa0;Réessayer&#xa0;», puis suivez les instructions à l’écran.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;Si le problème persiste, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contactez le support produit Orvo&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Windows&apos; process for enabling communication with your device was ended before it could be completed successfully.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;La procédure du système qui permet la communication avec votre appareil a été interrompue avant de pouvoir se terminer correctement.&lt;/p&gt;&lt;p&gt;Dépannage&#xa0;:&lt;ul&gt;&lt;li&gt;Mettez l’appareil HORS TENSION.&lt;/li&gt;&lt;li&gt;Cliquez sur «&#xa0;Réessayer&#xa0;», puis suivez les instructions à l’écran.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;Si le problème persiste, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contactez le support produit Orvo&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Click &quot;Retry&quot; and then follow the on-screen instructions to try to install the driver again.&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Cliquez sur «&#xa0;Réessayer&#xa0;», puis suivez les instructions à l’écran pour tenter de réinstaller le pilote.&lt;/p&gt;&lt;p&gt;Si le problème persiste, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contactez le support produit Orvo&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program identified the wrong update files for your device.  This is a problem that Orvo will need to resolve.&lt;/p&gt;&lt;p&gt;Please &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt; and inform the Orvo Product Support representative about this message.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Ce programme a identifié des fichiers de mise à jour incorrects pour votre appareil. Ce problème devra être résolu par Orvo.&lt;/p&gt;&lt;p&gt;Veuillez &lt;a href=&quot;ContactInfoDialog&quot;&gt;contacter le support produit Orvo&lt;/a&gt; et signaler ce message à votre interlocuteur.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program must perform an action that requires Administrator privileges.&lt;/p&gt;&lt;p&gt;Instructions:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Log out of Windows, log in using a Windows Administrator user account, and then run this program again.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Ce programme doit effectuer une opération qui nécessite des droits d’administrateur.&lt;/p&gt;&lt;p&gt;Instructions&#xa0;:&lt;ul&gt;&lt;li&gt;Mettez l’appareil HORS TENSION.&lt;/li&gt;&lt;li&gt;Fermez ce programme et relancez-le en tant que root, le compte administrateur du système.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;Si le problème persiste, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contactez le support produit Orvo&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>ErrorHeadline</name>
    <message>
        <source>Update information is unavailable</source>
        <translation>Les informations de mise à jour ne sont pas disponibles</translation>
    </message>
    <message>
        <source>Update information is damaged</source>
        <translation>Les informations de mise à jour sont endommagées</translation>
    </message>
    <message>
        <source>Device update files are unavailable</source>
        <translation>Les fichiers de mise à jour de l’appareil ne sont pas disponibles</translation>
    </message>
    <message>
        <source>Device update files are damaged</source>
        <translation>Les fichiers de mise à jour de l’appareil sont endommagés</translation>
    </message>
    <message>
        <source>Device update could not be verified</source>
        <translation>La mise à jour de l’appareil n’a pas pu être vérifiée</translation>
    </message>
    <message>
        <source>Device update was unsuccessful</source>
        <translation>La mise à jour de l’appareil n’a pas abouti</translation>
    </message>
    <message>
        <source>Your device has been disconnected</source>
        <translation>Votre appareil a été déconnecté</translation>
    </message>
    <message>
        <source>More than one device is connected</source>
        <translation>Plusieurs appareils sont connectés</translation>
    </message>
    <message>
        <source>This program cannot continue</source>
        <translation>Ce programme ne peut pas continuer</translation>
    </message>
    <message>
        <source>There are no selections available</source>
        <translation>Aucune sélection n’est disponible</translation>
    </message>
    <message>
        <source>Device update has failed</source>
        <translation>La mise à jour de l’appareil a échoué</translation>
    </message>
    <message>
        <source>Hardware configuration was not completed</source>
        <translation>La configuration matérielle n’a pas été terminée</translation>
    </message>
    <message>
        <source>Device driver installation failed</source>
        <translation>L’installation du pilote de périphérique a échoué</translation>
    </message>
    <message>
        <source>Device update files are incorrect</source>
        <translation>Les fichiers de mise à jour de l’appareil sont incorrects</translation>
    </message>
    <message>
        <source>Administrator permissions are needed to continue</source>
        <translation>Des droits d’administrateur sont nécessaires pour continuer</translation>
    </message>
</context>
<context>
    <name>StatusDialogClass</name>
    <message>
        <source>Script Running</source>
        <translation>Script en cours d’exécution</translation>
    </message>
    <message>
        <source>Script in progress. Click &quot;Cancel&quot; to stop.</source>
        <translation>Script en cours d’exécution. Cliquez sur «&#xa0;Annuler&#xa0;» pour l’arrêter.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
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
        <translation>Appareil Orvo</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::AdminCredentialsNeededDialog</name>
    <message>
        <source>&lt;font size=&quot;+1&quot;&gt;Administrator permissions are required&lt;/font&gt;</source>
        <comment>UR-254</comment>
        <translation>&lt;font size=&quot;+1&quot;&gt;Des droits d’administrateur sont requis&lt;/font&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program must be run on a Windows account with Administrator privileges.  Please log out of Windows, log in using a Windows Administrator user account, and then run this program again.&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <comment>UR-255</comment>
        <translation>&lt;p&gt;Ce programme doit être exécuté en tant que root, le compte administrateur du système. Veuillez fermer ce programme et le relancer en tant que root.&lt;/p&gt;&lt;p&gt;Si le problème persiste, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contactez le support produit Orvo&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Exit</source>
        <comment>UR-257</comment>
        <translation>Quitter</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::AlreadyUpToDatePage</name>
    <message>
        <source>Update is not needed</source>
        <comment>UR-088</comment>
        <translation>Aucune mise à jour nécessaire</translation>
    </message>
    <message>
        <source>Your device already has the latest software version.  No update is needed.  It is now safe to turn the device off and disconnect the USB cable.</source>
        <comment>UR-078</comment>
        <translation>Votre appareil dispose déjà de la dernière version du logiciel. Aucune mise à jour n’est nécessaire. Vous pouvez maintenant éteindre l’appareil et débrancher le câble USB en toute sécurité.</translation>
    </message>
    <message>
        <source>Update was not successful</source>
        <comment>UR-398</comment>
        <translation>La mise à jour n’a pas abouti</translation>
    </message>
    <message>
        <source>&lt;qt&gt;&lt;p&gt;&lt;b&gt;Error:&lt;/b&gt;&amp;nbsp; This program does not support software version updates for your device configuration.&lt;/p&gt;&lt;p&gt;Keep this program open and &lt;a href=&quot;support&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;&lt;p&gt;It is now safe to disconnect the USB cable from the device.&lt;/p&gt;&lt;/qt&gt;</source>
        <comment>UR-395</comment>
        <translation>&lt;qt&gt;&lt;p&gt;&lt;b&gt;Erreur&#xa0;:&lt;/b&gt;&amp;nbsp; Ce programme ne prend pas en charge la mise à jour de la version du logiciel pour la configuration de votre appareil.&lt;/p&gt;&lt;p&gt;Laissez ce programme ouvert et &lt;a href=&quot;support&quot;&gt;contactez le support produit Orvo&lt;/a&gt;.&lt;/p&gt;&lt;p&gt;Vous pouvez maintenant débrancher le câble USB de l’appareil en toute sécurité.&lt;/p&gt;&lt;/qt&gt;</translation>
    </message>
    <message>
        <source>Software version:</source>
        <comment>UR-080</comment>
        <translation>Version du logiciel&#xa0;:</translation>
    </message>
    <message>
        <source>Click &quot;Finish&quot; to close this window.</source>
        <comment>UR-087, UR-397</comment>
        <translation>Cliquez sur «&#xa0;Terminer&#xa0;» pour fermer cette fenêtre.</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::ApplicationWizard</name>
    <message>
        <source>License Agreement</source>
        <translation>Contrat de licence</translation>
    </message>
    <message>
        <source>System Information</source>
        <translation>Informations système</translation>
    </message>
    <message>
        <source>Orvo Product Support</source>
        <translation>Support produit Orvo</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Terminer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::CommStatusPage</name>
    <message>
        <source>Device update progress</source>
        <comment>UR-075</comment>
        <translation>Progression de la mise à jour de l’appareil</translation>
    </message>
    <message>
        <source>If you need to quit this process, click &quot;Cancel&quot;.</source>
        <comment>UR-296</comment>
        <translation>Si vous devez interrompre ce processus, cliquez sur «&#xa0;Annuler&#xa0;».</translation>
    </message>
    <message>
        <source>DO NOT turn off or disconnect your device.</source>
        <comment>UR-297</comment>
        <translation>N’ÉTEIGNEZ PAS et NE DÉCONNECTEZ PAS votre appareil.</translation>
    </message>
    <message>
        <source>Waiting for version selection...</source>
        <comment>UR-359</comment>
        <translation>En attente de la sélection de la version...</translation>
    </message>
    <message>
        <source>Downloading update files from Orvo server...</source>
        <comment>UR-069</comment>
        <translation>Téléchargement des fichiers de mise à jour depuis le serveur Orvo...</translation>
    </message>
    <message>
        <source>Updating your device...</source>
        <comment>UR-070</comment>
        <translation>Mise à jour de votre appareil...</translation>
    </message>
    <message>
        <source>Confirming successful update...</source>
        <comment>UR-196</comment>
        <translation>Vérification de la réussite de la mise à jour...</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::ConfirmationBox</name>
    <message>
        <source>Yes</source>
        <comment>UR-173</comment>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <comment>UR-175</comment>
        <translation>Non</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::ConnectDevicePage</name>
    <message>
        <source>Connect your device</source>
        <comment>UR-066</comment>
        <translation>Connectez votre appareil</translation>
    </message>
    <message>
        <source>&lt;qt&gt;Perform the following steps to connect the device to your computer.&lt;ol&gt;&lt;li&gt;Switch the device ON.&lt;/li&gt;&lt;li&gt;Plug the smaller end of the micro-USB cable into the device.&lt;/li&gt;&lt;li&gt;Connect the other end of the cable to a USB port on your computer.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</source>
        <comment>UR-277</comment>
        <translation>&lt;qt&gt;Procédez comme suit pour connecter l’appareil à votre ordinateur.&lt;ol&gt;&lt;li&gt;Mettez l’appareil SOUS TENSION.&lt;/li&gt;&lt;li&gt;Branchez la petite extrémité du câble micro-USB sur l’appareil.&lt;/li&gt;&lt;li&gt;Branchez l’autre extrémité du câble sur un port USB de votre ordinateur.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</translation>
    </message>
    <message>
        <source>Click &quot;Next&quot; to continue.</source>
        <comment>UR-063</comment>
        <translation>Cliquez sur «&#xa0;Suivant&#xa0;» pour continuer.</translation>
    </message>
    <message>
        <source>&lt;qt&gt;If you encounter any problems, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/qt&gt;</source>
        <comment>UR-065</comment>
        <translation>&lt;qt&gt;En cas de problème, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contactez le support produit Orvo&lt;/a&gt;.&lt;/qt&gt;</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::ErrorBox</name>
    <message>
        <source>System Information</source>
        <comment>UR-164</comment>
        <translation>Informations système</translation>
    </message>
    <message>
        <source>Retry</source>
        <comment>UR-166</comment>
        <translation>Réessayer</translation>
    </message>
    <message>
        <source>Exit</source>
        <comment>UR-168</comment>
        <translation>Quitter</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::EulaDialog</name>
    <message>
        <source>License Agreement</source>
        <comment>UR-046</comment>
        <translation>Contrat de licence</translation>
    </message>
    <message>
        <source>You have agreed to comply with the following:</source>
        <comment>UR-047</comment>
        <translation>Vous avez accepté de respecter les conditions suivantes&#xa0;:</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>UR-051</comment>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::IndexFileWaitDialog</name>
    <message>
        <source>Please wait. Retrieving update information...</source>
        <comment>UR-020</comment>
        <translation>Veuillez patienter. Récupération des informations de mise à jour...</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::InstallDriverPage</name>
    <message>
        <source>Install the device driver</source>
        <comment>UR-275</comment>
        <translation>Installez le pilote de périphérique</translation>
    </message>
    <message>
        <source>&lt;qt&gt;Perform the following steps to install a device driver on your computer.&lt;ol&gt;&lt;li&gt;If the device is already connected to your computer, disconnect it now.&lt;/li&gt;&lt;li&gt;Click the &quot;Install Driver&quot; button on this page.&lt;/li&gt;&lt;li&gt;Respond to any operating system prompts that appear. This will allow the driver to be installed.&lt;/li&gt;&lt;li&gt;Wait a few moments for the driver installation to complete.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</source>
        <comment>UR-262</comment>
        <translation>&lt;qt&gt;Procédez comme suit pour installer un pilote de périphérique sur votre ordinateur.&lt;ol&gt;&lt;li&gt;Si l’appareil est déjà connecté à votre ordinateur, déconnectez-le maintenant.&lt;/li&gt;&lt;li&gt;Cliquez sur le bouton «&#xa0;Installer le pilote&#xa0;» de cette page.&lt;/li&gt;&lt;li&gt;Répondez aux demandes du système d’exploitation qui s’affichent. Cela permettra d’installer le pilote.&lt;/li&gt;&lt;li&gt;Patientez quelques instants jusqu’à la fin de l’installation du pilote.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</translation>
    </message>
    <message>
        <source>Install Driver</source>
        <comment>UR-333</comment>
        <translation>Installer le pilote</translation>
    </message>
    <message>
        <source>Success! Click &quot;Next&quot; to continue.</source>
        <comment>UR-272</comment>
        <translation>Opération réussie&#xa0;! Cliquez sur «&#xa0;Suivant&#xa0;» pour continuer.</translation>
    </message>
    <message>
        <source>&lt;qt&gt;If you encounter any problems, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/qt&gt;</source>
        <comment>UR-274</comment>
        <translation>&lt;qt&gt;En cas de problème, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contactez le support produit Orvo&lt;/a&gt;.&lt;/qt&gt;</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::PrepareDevicePage</name>
    <message>
        <source>Prepare your device</source>
        <comment>UR-341</comment>
        <translation>Préparez votre appareil</translation>
    </message>
    <message>
        <source>&lt;qt&gt;Perform the following steps to prepare your device for communication.&lt;ol&gt;&lt;li&gt;Press and hold the Volume Up (+), Volume Down (&amp;#150;) and Multi-function buttons simultaneously for at least 5 seconds until the battery indicator blinks green.&lt;/li&gt;&lt;li&gt;Wait a few moments to allow this program to detect your device.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</source>
        <comment>UR-335</comment>
        <translation>&lt;qt&gt;Procédez comme suit pour préparer votre appareil à la communication.&lt;ol&gt;&lt;li&gt;Maintenez enfoncés simultanément les boutons Volume haut (+), Volume bas (&amp;#150;) et Multifonction pendant au moins 5&#xa0;secondes, jusqu’à ce que le voyant de la batterie clignote en vert.&lt;/li&gt;&lt;li&gt;Patientez quelques instants, le temps que ce programme détecte votre appareil.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</translation>
    </message>
    <message>
        <source>The update process will proceed automatically once the device is detected.</source>
        <comment>UR-356</comment>
        <translation>La mise à jour se poursuivra automatiquement dès que l’appareil sera détecté.</translation>
    </message>
    <message>
        <source>&lt;qt&gt;If you encounter any problems, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/qt&gt;</source>
        <comment>UR-338</comment>
        <translation>&lt;qt&gt;En cas de problème, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contactez le support produit Orvo&lt;/a&gt;.&lt;/qt&gt;</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::RedoConnectionStepsDialog</name>
    <message>
        <source>Incorrect device driver installed</source>
        <comment>UR-367</comment>
        <translation>Pilote de périphérique incorrect</translation>
    </message>
    <message>
        <source>&lt;p&gt;Windows applied a different device driver than expected. You can correct this problem by repeating some of the steps you have performed.&lt;/p&gt;&lt;p&gt;Click &quot;Close&quot; and then follow the on-screen instructions again.</source>
        <comment>UR-368</comment>
        <translation>&lt;p&gt;Le système a associé à l’appareil un pilote différent de celui attendu. Vous pouvez corriger ce problème en répétant certaines des étapes que vous avez effectuées.&lt;/p&gt;&lt;p&gt;Cliquez sur «&#xa0;Fermer&#xa0;», puis suivez à nouveau les instructions à l’écran.</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>UR-370</comment>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::SelectFirmwareDialog</name>
    <message>
        <source>Select Software Version</source>
        <comment>UR-300</comment>
        <translation>Sélectionner la version du logiciel</translation>
    </message>
    <message>
        <source>Select the desired software version.</source>
        <comment>UR-301</comment>
        <translation>Sélectionnez la version du logiciel souhaitée.</translation>
    </message>
    <message>
        <source>OK</source>
        <comment>UR-309</comment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <comment>UR-311</comment>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>%1 (Current)</source>
        <comment>UR-305</comment>
        <translation>%1 (actuelle)</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::SelectLanguageDialog</name>
    <message>
        <source>Select Language</source>
        <comment>UR-007</comment>
        <translation>Sélectionner la langue</translation>
    </message>
    <message>
        <source>Select your language.</source>
        <comment>UR-008</comment>
        <translation>Sélectionnez votre langue.</translation>
    </message>
    <message>
        <source>OK</source>
        <comment>UR-014</comment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <comment>UR-016</comment>
        <translation>Annuler</translation>
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
        <translation>Opération terminée</translation>
    </message>
    <message>
        <source>Your device has been successfully updated. It is now safe to turn the device off.</source>
        <comment>UR-090</comment>
        <translation>Votre appareil a bien été mis à jour. Vous pouvez maintenant l’éteindre en toute sécurité.</translation>
    </message>
    <message>
        <source>Software version:</source>
        <comment>UR-092</comment>
        <translation>Version du logiciel&#xa0;:</translation>
    </message>
    <message>
        <source>Click &quot;Finish&quot; to close this window.</source>
        <comment>UR-205</comment>
        <translation>Cliquez sur «&#xa0;Terminer&#xa0;» pour fermer cette fenêtre.</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::SystemInfoDialog</name>
    <message>
        <source>System Information</source>
        <comment>UR-101</comment>
        <translation>Informations système</translation>
    </message>
    <message>
        <source>Send to Orvo</source>
        <comment>UR-109</comment>
        <translation>Envoyer à Orvo</translation>
    </message>
    <message>
        <source>Uploading to Orvo... (%1% complete)</source>
        <comment>UR-116</comment>
        <translation>Envoi à Orvo... (%1&#xa0;% effectué)</translation>
    </message>
    <message>
        <source>Upload completed.</source>
        <comment>UR-118</comment>
        <translation>Envoi terminé.</translation>
    </message>
    <message>
        <source>Upload canceled.</source>
        <comment>UR-117</comment>
        <translation>Envoi annulé.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <comment>UR-113</comment>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>UR-112</comment>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::UploadFailureDialog</name>
    <message>
        <source>Orvo did not receive the information</source>
        <comment>UR-142</comment>
        <translation>Orvo n’a pas reçu les informations</translation>
    </message>
    <message>
        <source>There was a problem sending your information to Orvo. Ask your Orvo Product Support representative for further instructions.</source>
        <comment>UR-143</comment>
        <translation>Un problème est survenu lors de l’envoi de vos informations à Orvo. Demandez des instructions à votre interlocuteur du support produit Orvo.</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>UR-145</comment>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::WelcomePage</name>
    <message>
        <source>Welcome to %1</source>
        <comment>UR-058</comment>
        <translation>Bienvenue dans %1</translation>
    </message>
    <message>
        <source>Review the following license agreement:</source>
        <comment>UR-053</comment>
        <translation>Lisez le contrat de licence suivant&#xa0;:</translation>
    </message>
    <message>
        <source>I accept the terms of the license agreement.</source>
        <comment>UR-056</comment>
        <translation>J’accepte les termes du contrat de licence.</translation>
    </message>
</context>
</TS>
