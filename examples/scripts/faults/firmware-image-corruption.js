// Image data is corrupted on its way from the file to the headset: the headset's boot loader
// refuses the image at manifestation and the update ends with "programming-error".
script.SetIndexFile("FirmwareFiles/index.xml");
script.WaitForFileAcquired(10000);
script.WaitForPelarinConnected(60000);
script.StartImageFilesAcquire(true);
script.WaitForFileAcquired(60000);

script.EnableFirmwareImageCorruption();
script.StartPelarinUpdate();
script.WaitForUpdateComplete(120000);
script.AssertErrorCodeActive(true, "programming-error");
script.DisableFirmwareImageCorruption();
