// The web server cannot be reached: the index file download is refused (and retried twice) and
// the acquisition ends with "download-error". Run it where the index file that Config.xml names is
// not in the program folder, so that it has to be downloaded.
script.EnableWebServerCommFault();
script.StartIndexFileAcquire();
script.WaitForFileAcquired(30000);
script.AssertErrorCodeActive(true, "download-error");
script.AssertIndexFilePresent(false);
script.DisableWebServerCommFault();
