// Downloads arrive cut short: the index file comes whole, the images do not, and their check
// against the index file ends the acquisition with "firmware-corrupted". Run it against a web
// server (-hostname, -pathname) with nothing in the program folder.
script.StartIndexFileAcquire();
script.WaitForFileAcquired(60000);
script.WaitForPelarinConnected(60000);

script.EnableWebDownloadCorruption();
script.StartImageFilesAcquire(true);
script.WaitForFileAcquired(60000);
script.AssertErrorCodeActive(true, "firmware-corrupted");
script.DisableWebDownloadCorruption();
