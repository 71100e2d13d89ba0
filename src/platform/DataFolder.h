#pragma once

#include <QString>

// The data folder: where the console keeps SeedPara.txt, vyn8_inventory.txt,
// VYN8_Default.txt and ComPorts.txt. Every folder text here ends in '/'.

// What the choice of the data folder is made from.
struct DataFolderInputs {
    QString named;          // --data-dir or VYN8_DATA_DIR; empty when neither names one
    QString programFolder;  // the running program's folder
    QString userFolder;     // the user's own application data folder
};

// A folder that is named wins (made absolute); else the program's folder when a SeedPara.txt
// lies in it (a copy set up by hand); else the user's own folder.
QString ChooseDataFolder(const DataFolderInputs& inputs);

// Makes `folder` when it does not exist yet and gives it a copy of
// `defaultSeedPara`; then checks that files can be written in it. Returns an
// empty text when all is well, else the message for the operator, naming the
// folder. Nothing that is already in the folder is touched.
QString PrepareDataFolder(const QString& folder, const QString& defaultSeedPara);

// The data folder in force. Empty until SetDataFolder() is called (the
// current directory then).
QString DataFolder();
void SetDataFolder(const QString& folder);

// The running program's folder.
QString ProgramFolder();
// A file the program ships: `share/vyn8/NAME` under the installation prefix,
// else NAME beside the program (a build folder); empty when neither exists.
QString ShippedFile(const QString& programFolder, const QString& name);
// The default seed parameter file a new data folder gets: the shipped one,
// else the copy built into the program.
QString DefaultSeedParaFile(const QString& programFolder);
