// The cold reset that ends every update is left out: the update succeeds without an error code and
// the headset stays connected, already reporting the new release.
script.SetIndexFile("FirmwareFiles/index.xml");
script.WaitForFileAcquired(10000);
script.WaitForPelarinConnected(60000);
script.StartImageFilesAcquire(true);
script.WaitForFileAcquired(60000);

script.DisableColdResetAfterUpdate();
script.StartPelarinUpdate();
script.WaitForUpdateComplete(120000);
script.AssertErrorCodeActive(true, "");
script.AssertPelarinConnected(true);
script.AssertPelarinHasFirmwareVersion(true, "01.01.00");
script.EnableColdResetAfterUpdate();
