// Light script: every fault switch back to normal behaviour (the cold reset after an update is on).
script.DisablePelarinDfuUsbCommFault();
script.DisablePelarinHciUsbCommFault();
script.DisableFirmwareImageCorruption();
script.DisableWebServerCommFault();
script.DisableWebDownloadCorruption();
script.EnableColdResetAfterUpdate();
