// HCI commands and events fail: the update goes through the boot loader, but the versions cannot
// be read back from the restarted headset, so the update ends with "post-reconnect-query-failed".
script.SetIndexFile("FirmwareFiles/index.xml");
script.WaitForFileAcquired(10000);
script.WaitForPelarinConnected(60000);
script.StartImageFilesAcquire(true);
script.WaitForFileAcquired(60000);

script.EnablePelarinHciUsbCommFault();
script.StartPelarinUpdate();
script.WaitForUpdateComplete(120000);
script.AssertErrorCodeActive(true, "post-reconnect-query-failed");
script.DisablePelarinHciUsbCommFault();
