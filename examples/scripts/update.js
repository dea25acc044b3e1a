// A normal update of the sample headset from the firmware shipped in the program folder
// (FirmwareFiles/): index file, newest release's images, programming, and the version the
// headset reports once it has restarted.
//   Tessary -script update.js -results results.xml
var release = "01.01.00";

script.LogInformation("Loading the firmware index");
script.SetIndexFile("FirmwareFiles/index.xml");
if (!script.WaitForFileAcquired(10000))
    throw new Error("The firmware index could not be loaded");
script.AssertIndexFilePresent(true);

script.LogInformation("Waiting for the headset");
script.WaitForPelarinConnected(60000);
script.AssertPelarinConnected(true);

script.LogInformation("Checking the images of release " + release);
script.StartImageFilesAcquire(false, release);
script.WaitForFileAcquired(60000);
script.AssertImageFilesPresent(true, release);

script.LogInformation("Programming release " + release);
script.StartPelarinUpdate();
for (var percent = 25; percent <= 100; percent += 25) {
    if (script.WaitForPercentUpdateComplete(percent, 120000))
        script.LogInformation("Programmed " + percent + " %");
}
script.WaitForUpdateComplete(120000);
script.AssertErrorCodeActive(false, "programming-error");
script.AssertErrorCodeActive(true, "");

// The update ends with the headset's cold reset: it is not ready again until it has restarted.
script.AssertPelarinConnected(false);
script.LogInformation("Waiting for the headset to restart");
script.WaitForPelarinConnected(60000);
script.AssertPelarinHasFirmwareVersion(true, release);
script.LogInformation("The headset runs release " + release);
