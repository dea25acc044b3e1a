// DFU requests fail while the headset is in its boot loader: the update ends with
// "programming-error" and the headset keeps its old release.
script.SetIndexFile("FirmwareFiles/index.xml");
script.WaitForFileAcquired(10000);
script.WaitForPelarinConnected(60000);
script.StartImageFilesAcquire(true);
script.WaitForFileAcquired(60000);

script.EnablePelarinDfuUsbCommFault();
script.StartPelarinUpdate();
script.WaitForUpdateComplete(120000);
script.AssertErrorCodeActive(true, "programming-error");
script.DisablePelarinDfuUsbCommFault();
