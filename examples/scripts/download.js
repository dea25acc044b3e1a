// An update from the maker's web server: the index file that Config.xml names, then the images of
// the newest release offered for the headset, downloaded into the program folder.
//   Tessary -script download.js -results results.xml [-hostname HOST -pathname /PATH/]
// Files already in the program folder or in FirmwareFiles/ are used as they are.
var release = "01.01.00";

script.LogInformation("Downloading the firmware index");
script.StartIndexFileAcquire();
if (!script.WaitForFileAcquired(120000))
    throw new Error("The firmware index could not be downloaded");
script.AssertIndexFilePresent(true);

script.LogInformation("Waiting for the headset");
script.WaitForPelarinConnected(60000);
script.AssertPelarinConnected(true);

script.LogInformation("Downloading the newest release");
script.StartImageFilesAcquire(true);
script.WaitForFileAcquired(300000);
script.AssertErrorCodeActive(true, "");
script.AssertImageFilesPresent(true, release);

script.LogInformation("Programming");
script.StartPelarinUpdate(false);
script.WaitForUpdateComplete(300000);
script.AssertErrorCodeActive(true, "");

script.WaitForPelarinConnected(60000);
script.AssertPelarinHasFirmwareVersion(true, release);
script.LogInformation("The headset runs release " + release);
