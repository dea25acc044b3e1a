<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ar" sourcelanguage="en">
<context>
    <name>ConfirmationHeadline</name>
    <message>
        <source>This application has not finished</source>
        <comment>UR-193 - CONFIRM_ABORT_HEADLINE</comment>
        <translation>لم ينتهِ هذا البرنامج من عمله بعد</translation>
    </message>
    <message>
        <source>The data upload is not yet complete</source>
        <comment>UR-120 - CONFIRM_CANCEL_UPLOAD_HEADLINE</comment>
        <translation>لم يكتمل رفع البيانات بعد</translation>
    </message>
    <message>
        <source>Selection mode will be enabled</source>
        <comment>UR-313 - CONFIRM_DOWNGRADE_HEADLINE</comment>
        <translation>سيتم تمكين وضع الاختيار</translation>
    </message>
    <message>
        <source>Orvo Product Support may be able to help you</source>
        <comment>UR-170 - CONFIRM_ERROR_EXIT_HEADLINE</comment>
        <translation>قد يتمكن فريق دعم منتجات Orvo من مساعدتك</translation>
    </message>
</context>
<context>
    <name>ConfirmationQuestions</name>
    <message>
        <source>Are you sure you want to exit?</source>
        <comment>UR-194 - CONFIRM_ABORT_QUESTION</comment>
        <translation>هل أنت متأكد من أنك تريد الخروج؟</translation>
    </message>
    <message>
        <source>Are you sure you want to cancel the upload?</source>
        <comment>UR-121 - CONFIRM_CANCEL_UPLOAD_QUESTION</comment>
        <translation>هل أنت متأكد من أنك تريد إلغاء رفع البيانات؟</translation>
    </message>
    <message>
        <source>Are you sure you want to enable selection mode?</source>
        <comment>UR-314 - CONFIRM_DOWNGRADE_QUESTION</comment>
        <translation>هل أنت متأكد من أنك تريد تمكين وضع الاختيار؟</translation>
    </message>
    <message>
        <source>&lt;p&gt;If you have not already contacted Orvo Product Support, you may want to do so before exiting this application. They may be able to help you correct the error that has occurred.&lt;/p&gt;&lt;p&gt;Are you sure you want to exit?&lt;/p&gt;</source>
        <comment>UR-171 - CONFIRM_ERROR_EXIT_QUESTION</comment>
        <translation>&lt;p&gt;إذا لم تكن قد تواصلت مع فريق دعم منتجات Orvo بعد، فقد ترغب في ذلك قبل الخروج من هذا البرنامج، إذ قد يتمكن الفريق من مساعدتك في تصحيح الخطأ الذي حدث.&lt;/p&gt;&lt;p&gt;هل أنت متأكد من أنك تريد الخروج؟&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>ErrorDetails</name>
    <message>
        <source>&lt;p&gt;A file that is necessary to run this program is not accessible.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;If you obtained this program from the Orvo website, check your Internet connection.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot;.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;يتعذّر الوصول إلى ملف ضروري لتشغيل هذا البرنامج.&lt;/p&gt;&lt;p&gt;استكشاف الأخطاء وإصلاحها:&lt;ul&gt;&lt;li&gt;إذا كنت قد حصلت على هذا البرنامج من موقع Orvo على الويب، فتحقق من اتصالك بالإنترنت.&lt;/li&gt;&lt;li&gt;انقر على «إعادة المحاولة».&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;ContactInfoDialog&quot;&gt;تواصل مع فريق دعم منتجات Orvo&lt;/a&gt; إذا استمرت المشكلة.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;A file that is necessary to run this program appears to be damaged.&lt;/p&gt;&lt;p&gt;Click &quot;Retry&quot; to attempt to retrieve this file again. If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;يبدو أن ملفًا ضروريًا لتشغيل هذا البرنامج تالف.&lt;/p&gt;&lt;p&gt;انقر على «إعادة المحاولة» لمحاولة جلب هذا الملف مرة أخرى. &lt;a href=&quot;ContactInfoDialog&quot;&gt;تواصل مع فريق دعم منتجات Orvo&lt;/a&gt; إذا استمرت المشكلة.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program has not been able to access the files that are necessary to update your device.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;If you obtained this program from the Orvo website, check your Internet connection before you continue.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot;.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;لم يتمكن هذا البرنامج من الوصول إلى الملفات الضرورية لتحديث جهازك.&lt;/p&gt;&lt;p&gt;استكشاف الأخطاء وإصلاحها:&lt;ul&gt;&lt;li&gt;إذا كنت قد حصلت على هذا البرنامج من موقع Orvo على الويب، فتحقق من اتصالك بالإنترنت قبل المتابعة.&lt;/li&gt;&lt;li&gt;انقر على «إعادة المحاولة».&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;ContactInfoDialog&quot;&gt;تواصل مع فريق دعم منتجات Orvo&lt;/a&gt; إذا استمرت المشكلة.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;The files that are necessary to update your device appear to be damaged.&lt;/p&gt;&lt;p&gt;Click &quot;Retry&quot; to attempt to retrieve these files again. If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;يبدو أن الملفات الضرورية لتحديث جهازك تالفة.&lt;/p&gt;&lt;p&gt;انقر على «إعادة المحاولة» لمحاولة جلب هذه الملفات مرة أخرى. &lt;a href=&quot;ContactInfoDialog&quot;&gt;تواصل مع فريق دعم منتجات Orvo&lt;/a&gt; إذا استمرت المشكلة.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program was unable to confirm that the device update completed successfully.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;تعذّر على هذا البرنامج التأكد من اكتمال تحديث الجهاز بنجاح.&lt;/p&gt;&lt;p&gt;استكشاف الأخطاء وإصلاحها:&lt;ul&gt;&lt;li&gt;أوقف تشغيل الجهاز.&lt;/li&gt;&lt;li&gt;انقر على «إعادة المحاولة» ثم اتبع الإرشادات التي تظهر على الشاشة.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;ContactInfoDialog&quot;&gt;تواصل مع فريق دعم منتجات Orvo&lt;/a&gt; إذا استمرت المشكلة.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;It appears that the device was not successfully updated.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;يبدو أن الجهاز لم يُحدَّث بنجاح.&lt;/p&gt;&lt;p&gt;استكشاف الأخطاء وإصلاحها:&lt;ul&gt;&lt;li&gt;أوقف تشغيل الجهاز.&lt;/li&gt;&lt;li&gt;انقر على «إعادة المحاولة» ثم اتبع الإرشادات التي تظهر على الشاشة.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;ContactInfoDialog&quot;&gt;تواصل مع فريق دعم منتجات Orvo&lt;/a&gt; إذا استمرت المشكلة.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Make sure that the USB cable is securely connected to both the device and your computer.&lt;/li&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;استكشاف الأخطاء وإصلاحها:&lt;ul&gt;&lt;li&gt;تأكد من توصيل كابل USB بإحكام بكلٍّ من الجهاز والكمبيوتر.&lt;/li&gt;&lt;li&gt;أوقف تشغيل الجهاز.&lt;/li&gt;&lt;li&gt;انقر على «إعادة المحاولة» ثم اتبع الإرشادات التي تظهر على الشاشة.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;ContactInfoDialog&quot;&gt;تواصل مع فريق دعم منتجات Orvo&lt;/a&gt; إذا استمرت المشكلة.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program detected more than one supported Orvo device. Only one device can be updated at a time.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Disconnect all Orvo devices from your computer except the one that you want to update.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot;.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;اكتشف هذا البرنامج أكثر من جهاز Orvo مدعوم. لا يمكن تحديث سوى جهاز واحد في كل مرة.&lt;/p&gt;&lt;p&gt;استكشاف الأخطاء وإصلاحها:&lt;ul&gt;&lt;li&gt;افصل جميع أجهزة Orvo عن الكمبيوتر باستثناء الجهاز الذي تريد تحديثه.&lt;/li&gt;&lt;li&gt;انقر على «إعادة المحاولة».&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;ContactInfoDialog&quot;&gt;تواصل مع فريق دعم منتجات Orvo&lt;/a&gt; إذا استمرت المشكلة.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;A problem has caused this program to fail.&lt;/p&gt;&lt;p&gt;Click &quot;Exit&quot; and then try running this program again. If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;تسببت مشكلة في إخفاق هذا البرنامج.&lt;/p&gt;&lt;p&gt;انقر على «خروج» ثم حاول تشغيل هذا البرنامج مرة أخرى. &lt;a href=&quot;ContactInfoDialog&quot;&gt;تواصل مع فريق دعم منتجات Orvo&lt;/a&gt; إذا استمرت المشكلة.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program could not find any software version selections for your device.  Please inform your Orvo Product Support representative of this message.&lt;/p&gt;&lt;p&gt;If you encounter this message and are not currently in contact with a Orvo Product Support representative, please &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;لم يعثر هذا البرنامج على أي إصدارات من البرنامج يمكن اختيارها لجهازك. يُرجى إبلاغ ممثل دعم منتجات Orvo الذي تتواصل معه بهذه الرسالة.&lt;/p&gt;&lt;p&gt;إذا ظهرت لك هذه الرسالة ولم تكن على تواصل حاليًا مع أحد ممثلي دعم منتجات Orvo، &lt;a href=&quot;ContactInfoDialog&quot;&gt;فيُرجى التواصل مع فريق دعم منتجات Orvo&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;There was a problem updating your device.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;حدثت مشكلة أثناء تحديث جهازك.&lt;/p&gt;&lt;p&gt;استكشاف الأخطاء وإصلاحها:&lt;ul&gt;&lt;li&gt;أوقف تشغيل الجهاز.&lt;/li&gt;&lt;li&gt;انقر على «إعادة المحاولة» ثم اتبع الإرشادات التي تظهر على الشاشة.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;ContactInfoDialog&quot;&gt;تواصل مع فريق دعم منتجات Orvo&lt;/a&gt; إذا استمرت المشكلة.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Windows&apos; process for enabling communication with your device was ended before it could be completed successfully.&lt;/p&gt;&lt;p&gt;Troubleshooting:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Click &quot;Retry&quot; and then follow the on-screen instructions.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;توقفت عملية النظام الخاصة بتمكين الاتصال بجهازك قبل أن تكتمل بنجاح.&lt;/p&gt;&lt;p&gt;استكشاف الأخطاء وإصلاحها:&lt;ul&gt;&lt;li&gt;أوقف تشغيل الجهاز.&lt;/li&gt;&lt;li&gt;انقر على «إعادة المحاولة» ثم اتبع الإرشادات التي تظهر على الشاشة.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;ContactInfoDialog&quot;&gt;تواصل مع فريق دعم منتجات Orvo&lt;/a&gt; إذا استمرت المشكلة.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Click &quot;Retry&quot; and then follow the on-screen instructions to try to install the driver again.&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;انقر على «إعادة المحاولة» ثم اتبع الإرشادات التي تظهر على الشاشة لمحاولة تثبيت برنامج التشغيل مرة أخرى.&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;ContactInfoDialog&quot;&gt;تواصل مع فريق دعم منتجات Orvo&lt;/a&gt; إذا استمرت المشكلة.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program identified the wrong update files for your device.  This is a problem that Orvo will need to resolve.&lt;/p&gt;&lt;p&gt;Please &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt; and inform the Orvo Product Support representative about this message.&lt;/p&gt;</source>
        <translation>&lt;p&gt;حدّد هذا البرنامج ملفات تحديث غير صحيحة لجهازك. هذه مشكلة يتعين على Orvo حلها.&lt;/p&gt;&lt;p&gt;يُرجى &lt;a href=&quot;ContactInfoDialog&quot;&gt;التواصل مع فريق دعم منتجات Orvo&lt;/a&gt; وإبلاغ ممثل الدعم بهذه الرسالة.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program must perform an action that requires Administrator privileges.&lt;/p&gt;&lt;p&gt;Instructions:&lt;ul&gt;&lt;li&gt;Switch the device OFF.&lt;/li&gt;&lt;li&gt;Log out of Windows, log in using a Windows Administrator user account, and then run this program again.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;يجب أن يُجري هذا البرنامج عملية تتطلب صلاحيات المسؤول.&lt;/p&gt;&lt;p&gt;الإرشادات:&lt;ul&gt;&lt;li&gt;أوقف تشغيل الجهاز.&lt;/li&gt;&lt;li&gt;أغلق هذا البرنامج ثم شغّله مرة أخرى بصفة المستخدم root، وهو حساب مسؤول النظام.&lt;/li&gt;&lt;/ul&gt;&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;ContactInfoDialog&quot;&gt;تواصل مع فريق دعم منتجات Orvo&lt;/a&gt; إذا استمرت المشكلة.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>ErrorHeadline</name>
    <message>
        <source>Update information is unavailable</source>
        <translation>معلومات التحديث غير متوفرة</translation>
    </message>
    <message>
        <source>Update information is damaged</source>
        <translation>معلومات التحديث تالفة</translation>
    </message>
    <message>
        <source>Device update files are unavailable</source>
        <translation>ملفات تحديث الجهاز غير متوفرة</translation>
    </message>
    <message>
        <source>Device update files are damaged</source>
        <translation>ملفات تحديث الجهاز تالفة</translation>
    </message>
    <message>
        <source>Device update could not be verified</source>
        <translation>تعذّر التحقق من تحديث الجهاز</translation>
    </message>
    <message>
        <source>Device update was unsuccessful</source>
        <translation>لم ينجح تحديث الجهاز</translation>
    </message>
    <message>
        <source>Your device has been disconnected</source>
        <translation>تم فصل جهازك</translation>
    </message>
    <message>
        <source>More than one device is connected</source>
        <translation>أكثر من جهاز واحد متصل</translation>
    </message>
    <message>
        <source>This program cannot continue</source>
        <translation>لا يمكن لهذا البرنامج المتابعة</translation>
    </message>
    <message>
        <source>There are no selections available</source>
        <translation>لا توجد خيارات متاحة</translation>
    </message>
    <message>
        <source>Device update has failed</source>
        <translation>فشل تحديث الجهاز</translation>
    </message>
    <message>
        <source>Hardware configuration was not completed</source>
        <translation>لم تكتمل تهيئة العتاد</translation>
    </message>
    <message>
        <source>Device driver installation failed</source>
        <translation>فشل تثبيت برنامج تشغيل الجهاز</translation>
    </message>
    <message>
        <source>Device update files are incorrect</source>
        <translation>ملفات تحديث الجهاز غير صحيحة</translation>
    </message>
    <message>
        <source>Administrator permissions are needed to continue</source>
        <translation>يلزم الحصول على صلاحيات المسؤول للمتابعة</translation>
    </message>
</context>
<context>
    <name>StatusDialogClass</name>
    <message>
        <source>Script Running</source>
        <translation>جارٍ تشغيل البرنامج النصي</translation>
    </message>
    <message>
        <source>Script in progress. Click &quot;Cancel&quot; to stop.</source>
        <translation>البرنامج النصي قيد التشغيل. انقر على «إلغاء» لإيقافه.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>إلغاء</translation>
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
        <translation>جهاز Orvo</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::AdminCredentialsNeededDialog</name>
    <message>
        <source>&lt;font size=&quot;+1&quot;&gt;Administrator permissions are required&lt;/font&gt;</source>
        <comment>UR-254</comment>
        <translation>&lt;font size=&quot;+1&quot;&gt;يلزم الحصول على صلاحيات المسؤول&lt;/font&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This program must be run on a Windows account with Administrator privileges.  Please log out of Windows, log in using a Windows Administrator user account, and then run this program again.&lt;/p&gt;&lt;p&gt;If the problem persists, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;</source>
        <comment>UR-255</comment>
        <translation>&lt;p&gt;يجب تشغيل هذا البرنامج بصفة المستخدم root، وهو حساب مسؤول النظام. يُرجى إغلاق هذا البرنامج ثم تشغيله مرة أخرى بصفة root.&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;ContactInfoDialog&quot;&gt;تواصل مع فريق دعم منتجات Orvo&lt;/a&gt; إذا استمرت المشكلة.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Exit</source>
        <comment>UR-257</comment>
        <translation>خروج</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::AlreadyUpToDatePage</name>
    <message>
        <source>Update is not needed</source>
        <comment>UR-088</comment>
        <translation>لا حاجة إلى التحديث</translation>
    </message>
    <message>
        <source>Your device already has the latest software version.  No update is needed.  It is now safe to turn the device off and disconnect the USB cable.</source>
        <comment>UR-078</comment>
        <translation>يحتوي جهازك بالفعل على أحدث إصدار من البرنامج. لا حاجة إلى التحديث. يمكنك الآن إيقاف تشغيل الجهاز وفصل كابل USB بأمان.</translation>
    </message>
    <message>
        <source>Update was not successful</source>
        <comment>UR-398</comment>
        <translation>لم ينجح التحديث</translation>
    </message>
    <message>
        <source>&lt;qt&gt;&lt;p&gt;&lt;b&gt;Error:&lt;/b&gt;&amp;nbsp; This program does not support software version updates for your device configuration.&lt;/p&gt;&lt;p&gt;Keep this program open and &lt;a href=&quot;support&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/p&gt;&lt;p&gt;It is now safe to disconnect the USB cable from the device.&lt;/p&gt;&lt;/qt&gt;</source>
        <comment>UR-395</comment>
        <translation>&lt;qt&gt;&lt;p&gt;&lt;b&gt;خطأ:&lt;/b&gt;&amp;nbsp; لا يدعم هذا البرنامج تحديث إصدار البرنامج في جهاز بهذا التكوين.&lt;/p&gt;&lt;p&gt;أبقِ هذا البرنامج مفتوحًا &lt;a href=&quot;support&quot;&gt;وتواصل مع فريق دعم منتجات Orvo&lt;/a&gt;.&lt;/p&gt;&lt;p&gt;يمكنك الآن فصل كابل USB عن الجهاز بأمان.&lt;/p&gt;&lt;/qt&gt;</translation>
    </message>
    <message>
        <source>Software version:</source>
        <comment>UR-080</comment>
        <translation>إصدار البرنامج:</translation>
    </message>
    <message>
        <source>Click &quot;Finish&quot; to close this window.</source>
        <comment>UR-087, UR-397</comment>
        <translation>انقر على «إنهاء» لإغلاق هذه النافذة.</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::ApplicationWizard</name>
    <message>
        <source>License Agreement</source>
        <translation>اتفاقية الترخيص</translation>
    </message>
    <message>
        <source>System Information</source>
        <translation>معلومات النظام</translation>
    </message>
    <message>
        <source>Orvo Product Support</source>
        <translation>دعم منتجات Orvo</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>تعليمات</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>التالي</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>إنهاء</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>إلغاء</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::CommStatusPage</name>
    <message>
        <source>Device update progress</source>
        <comment>UR-075</comment>
        <translation>تقدم تحديث الجهاز</translation>
    </message>
    <message>
        <source>If you need to quit this process, click &quot;Cancel&quot;.</source>
        <comment>UR-296</comment>
        <translation>إذا أردت إيقاف هذه العملية، فانقر على «إلغاء».</translation>
    </message>
    <message>
        <source>DO NOT turn off or disconnect your device.</source>
        <comment>UR-297</comment>
        <translation>لا توقف تشغيل جهازك ولا تفصله.</translation>
    </message>
    <message>
        <source>Waiting for version selection...</source>
        <comment>UR-359</comment>
        <translation>في انتظار اختيار الإصدار...</translation>
    </message>
    <message>
        <source>Downloading update files from Orvo server...</source>
        <comment>UR-069</comment>
        <translation>جارٍ تنزيل ملفات التحديث من خادم Orvo...</translation>
    </message>
    <message>
        <source>Updating your device...</source>
        <comment>UR-070</comment>
        <translation>جارٍ تحديث جهازك...</translation>
    </message>
    <message>
        <source>Confirming successful update...</source>
        <comment>UR-196</comment>
        <translation>جارٍ التأكد من نجاح التحديث...</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::ConfirmationBox</name>
    <message>
        <source>Yes</source>
        <comment>UR-173</comment>
        <translation>نعم</translation>
    </message>
    <message>
        <source>No</source>
        <comment>UR-175</comment>
        <translation>لا</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::ConnectDevicePage</name>
    <message>
        <source>Connect your device</source>
        <comment>UR-066</comment>
        <translation>توصيل جهازك</translation>
    </message>
    <message>
        <source>&lt;qt&gt;Perform the following steps to connect the device to your computer.&lt;ol&gt;&lt;li&gt;Switch the device ON.&lt;/li&gt;&lt;li&gt;Plug the smaller end of the micro-USB cable into the device.&lt;/li&gt;&lt;li&gt;Connect the other end of the cable to a USB port on your computer.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</source>
        <comment>UR-277</comment>
        <translation>&lt;qt&gt;اتبع الخطوات التالية لتوصيل الجهاز بالكمبيوتر.&lt;ol&gt;&lt;li&gt;شغّل الجهاز.&lt;/li&gt;&lt;li&gt;أدخل الطرف الأصغر من كابل micro-USB في الجهاز.&lt;/li&gt;&lt;li&gt;وصّل الطرف الآخر من الكابل بمنفذ USB في الكمبيوتر.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</translation>
    </message>
    <message>
        <source>Click &quot;Next&quot; to continue.</source>
        <comment>UR-063</comment>
        <translation>انقر على «التالي» للمتابعة.</translation>
    </message>
    <message>
        <source>&lt;qt&gt;If you encounter any problems, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/qt&gt;</source>
        <comment>UR-065</comment>
        <translation>&lt;qt&gt;&lt;a href=&quot;ContactInfoDialog&quot;&gt;تواصل مع فريق دعم منتجات Orvo&lt;/a&gt; إذا واجهت أي مشكلة.&lt;/qt&gt;</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::ErrorBox</name>
    <message>
        <source>System Information</source>
        <comment>UR-164</comment>
        <translation>معلومات النظام</translation>
    </message>
    <message>
        <source>Retry</source>
        <comment>UR-166</comment>
        <translation>إعادة المحاولة</translation>
    </message>
    <message>
        <source>Exit</source>
        <comment>UR-168</comment>
        <translation>خروج</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::EulaDialog</name>
    <message>
        <source>License Agreement</source>
        <comment>UR-046</comment>
        <translation>اتفاقية الترخيص</translation>
    </message>
    <message>
        <source>You have agreed to comply with the following:</source>
        <comment>UR-047</comment>
        <translation>لقد وافقت على الالتزام بما يلي:</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>UR-051</comment>
        <translation>إغلاق</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::IndexFileWaitDialog</name>
    <message>
        <source>Please wait. Retrieving update information...</source>
        <comment>UR-020</comment>
        <translation>يُرجى الانتظار. جارٍ جلب معلومات التحديث...</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::InstallDriverPage</name>
    <message>
        <source>Install the device driver</source>
        <comment>UR-275</comment>
        <translation>تثبيت برنامج تشغيل الجهاز</translation>
    </message>
    <message>
        <source>&lt;qt&gt;Perform the following steps to install a device driver on your computer.&lt;ol&gt;&lt;li&gt;If the device is already connected to your computer, disconnect it now.&lt;/li&gt;&lt;li&gt;Click the &quot;Install Driver&quot; button on this page.&lt;/li&gt;&lt;li&gt;Respond to any operating system prompts that appear. This will allow the driver to be installed.&lt;/li&gt;&lt;li&gt;Wait a few moments for the driver installation to complete.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</source>
        <comment>UR-262</comment>
        <translation>&lt;qt&gt;اتبع الخطوات التالية لتثبيت برنامج تشغيل الجهاز على الكمبيوتر.&lt;ol&gt;&lt;li&gt;إذا كان الجهاز متصلاً بالكمبيوتر بالفعل، فافصله الآن.&lt;/li&gt;&lt;li&gt;انقر على زر «تثبيت برنامج التشغيل» في هذه الصفحة.&lt;/li&gt;&lt;li&gt;استجب لأي مطالبات يعرضها نظام التشغيل، حتى يتسنى تثبيت برنامج التشغيل.&lt;/li&gt;&lt;li&gt;انتظر بضع لحظات حتى يكتمل تثبيت برنامج التشغيل.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</translation>
    </message>
    <message>
        <source>Install Driver</source>
        <comment>UR-333</comment>
        <translation>تثبيت برنامج التشغيل</translation>
    </message>
    <message>
        <source>Success! Click &quot;Next&quot; to continue.</source>
        <comment>UR-272</comment>
        <translation>تمت العملية بنجاح! انقر على «التالي» للمتابعة.</translation>
    </message>
    <message>
        <source>&lt;qt&gt;If you encounter any problems, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/qt&gt;</source>
        <comment>UR-274</comment>
        <translation>&lt;qt&gt;&lt;a href=&quot;ContactInfoDialog&quot;&gt;تواصل مع فريق دعم منتجات Orvo&lt;/a&gt; إذا واجهت أي مشكلة.&lt;/qt&gt;</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::PrepareDevicePage</name>
    <message>
        <source>Prepare your device</source>
        <comment>UR-341</comment>
        <translation>تجهيز جهازك</translation>
    </message>
    <message>
        <source>&lt;qt&gt;Perform the following steps to prepare your device for communication.&lt;ol&gt;&lt;li&gt;Press and hold the Volume Up (+), Volume Down (&amp;#150;) and Multi-function buttons simultaneously for at least 5 seconds until the battery indicator blinks green.&lt;/li&gt;&lt;li&gt;Wait a few moments to allow this program to detect your device.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</source>
        <comment>UR-335</comment>
        <translation>&lt;qt&gt;اتبع الخطوات التالية لتجهيز جهازك للاتصال.&lt;ol&gt;&lt;li&gt;اضغط مع الاستمرار على زر رفع الصوت (+) وزر خفض الصوت (&amp;#150;) وزر الوظائف المتعددة معًا لمدة 5 ثوانٍ على الأقل حتى يومض مؤشر البطارية باللون الأخضر.&lt;/li&gt;&lt;li&gt;انتظر بضع لحظات حتى يكتشف هذا البرنامج جهازك.&lt;/li&gt;&lt;/ol&gt;&lt;/qt&gt;</translation>
    </message>
    <message>
        <source>The update process will proceed automatically once the device is detected.</source>
        <comment>UR-356</comment>
        <translation>ستتابع عملية التحديث تلقائيًا بمجرد اكتشاف الجهاز.</translation>
    </message>
    <message>
        <source>&lt;qt&gt;If you encounter any problems, &lt;a href=&quot;ContactInfoDialog&quot;&gt;contact Orvo Product Support&lt;/a&gt;.&lt;/qt&gt;</source>
        <comment>UR-338</comment>
        <translation>&lt;qt&gt;&lt;a href=&quot;ContactInfoDialog&quot;&gt;تواصل مع فريق دعم منتجات Orvo&lt;/a&gt; إذا واجهت أي مشكلة.&lt;/qt&gt;</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::RedoConnectionStepsDialog</name>
    <message>
        <source>Incorrect device driver installed</source>
        <comment>UR-367</comment>
        <translation>تم تثبيت برنامج تشغيل غير صحيح للجهاز</translation>
    </message>
    <message>
        <source>&lt;p&gt;Windows applied a different device driver than expected. You can correct this problem by repeating some of the steps you have performed.&lt;/p&gt;&lt;p&gt;Click &quot;Close&quot; and then follow the on-screen instructions again.</source>
        <comment>UR-368</comment>
        <translation>&lt;p&gt;ربط النظام بالجهاز برنامج تشغيل غير البرنامج المتوقع. يمكنك تصحيح هذه المشكلة بتكرار بعض الخطوات التي نفذتها.&lt;/p&gt;&lt;p&gt;انقر على «إغلاق» ثم اتبع الإرشادات التي تظهر على الشاشة مرة أخرى.</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>UR-370</comment>
        <translation>إغلاق</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::SelectFirmwareDialog</name>
    <message>
        <source>Select Software Version</source>
        <comment>UR-300</comment>
        <translation>اختيار إصدار البرنامج</translation>
    </message>
    <message>
        <source>Select the desired software version.</source>
        <comment>UR-301</comment>
        <translation>اختر إصدار البرنامج المطلوب.</translation>
    </message>
    <message>
        <source>OK</source>
        <comment>UR-309</comment>
        <translation>موافق</translation>
    </message>
    <message>
        <source>Cancel</source>
        <comment>UR-311</comment>
        <translation>إلغاء</translation>
    </message>
    <message>
        <source>%1 (Current)</source>
        <comment>UR-305</comment>
        <translation>%1 (الحالي)</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::SelectLanguageDialog</name>
    <message>
        <source>Select Language</source>
        <comment>UR-007</comment>
        <translation>اختيار اللغة</translation>
    </message>
    <message>
        <source>Select your language.</source>
        <comment>UR-008</comment>
        <translation>اختر لغتك.</translation>
    </message>
    <message>
        <source>OK</source>
        <comment>UR-014</comment>
        <translation>موافق</translation>
    </message>
    <message>
        <source>Cancel</source>
        <comment>UR-016</comment>
        <translation>إلغاء</translation>
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
        <translation>&lt;b&gt;الإصدار %1&lt;/b&gt;</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::SuccessPage</name>
    <message>
        <source>Process completed</source>
        <comment>UR-099</comment>
        <translation>اكتملت العملية</translation>
    </message>
    <message>
        <source>Your device has been successfully updated. It is now safe to turn the device off.</source>
        <comment>UR-090</comment>
        <translation>تم تحديث جهازك بنجاح. يمكنك الآن إيقاف تشغيل الجهاز بأمان.</translation>
    </message>
    <message>
        <source>Software version:</source>
        <comment>UR-092</comment>
        <translation>إصدار البرنامج:</translation>
    </message>
    <message>
        <source>Click &quot;Finish&quot; to close this window.</source>
        <comment>UR-205</comment>
        <translation>انقر على «إنهاء» لإغلاق هذه النافذة.</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::SystemInfoDialog</name>
    <message>
        <source>System Information</source>
        <comment>UR-101</comment>
        <translation>معلومات النظام</translation>
    </message>
    <message>
        <source>Send to Orvo</source>
        <comment>UR-109</comment>
        <translation>إرسال إلى Orvo</translation>
    </message>
    <message>
        <source>Uploading to Orvo... (%1% complete)</source>
        <comment>UR-116</comment>
        <translation>جارٍ الرفع إلى Orvo... (اكتمل %1%)</translation>
    </message>
    <message>
        <source>Upload completed.</source>
        <comment>UR-118</comment>
        <translation>اكتمل الرفع.</translation>
    </message>
    <message>
        <source>Upload canceled.</source>
        <comment>UR-117</comment>
        <translation>تم إلغاء الرفع.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <comment>UR-113</comment>
        <translation>إلغاء</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>UR-112</comment>
        <translation>إغلاق</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::UploadFailureDialog</name>
    <message>
        <source>Orvo did not receive the information</source>
        <comment>UR-142</comment>
        <translation>لم تتلقَّ Orvo المعلومات</translation>
    </message>
    <message>
        <source>There was a problem sending your information to Orvo. Ask your Orvo Product Support representative for further instructions.</source>
        <comment>UR-143</comment>
        <translation>حدثت مشكلة أثناء إرسال معلوماتك إلى Orvo. اطلب مزيدًا من الإرشادات من ممثل دعم منتجات Orvo الذي تتواصل معه.</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>UR-145</comment>
        <translation>إغلاق</translation>
    </message>
</context>
<context>
    <name>UpdatePelarin::WelcomePage</name>
    <message>
        <source>Welcome to %1</source>
        <comment>UR-058</comment>
        <translation>مرحبًا بك في %1</translation>
    </message>
    <message>
        <source>Review the following license agreement:</source>
        <comment>UR-053</comment>
        <translation>راجع اتفاقية الترخيص التالية:</translation>
    </message>
    <message>
        <source>I accept the terms of the license agreement.</source>
        <comment>UR-056</comment>
        <translation>أوافق على شروط اتفاقية الترخيص.</translation>
    </message>
</context>
</TS>
