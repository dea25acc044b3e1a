// Light script: the next update the wizard runs sends corrupted image data and fails.
//   Tessary -light "$(cat corrupt-next-update.js)"
script.EnableFirmwareImageCorruption();
