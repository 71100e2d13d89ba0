#pragma once

#include <QString>

// What the console form shows, as the count session leaves it: which
// controls can be used or are shown, the texts of the figure boxes, and
// where the keyboard focus goes. The form renders it after every step; no
// rule reads it back from a widget.
struct FormControl {
    bool enabled = true;
    bool visible = true;
};

// A text the session sets: the form applies it when `serial` has moved, so
// that what the operator types in between is not overwritten.
struct FormText {
    QString value;
    unsigned serial = 0;
    void Set(const QString& text) {
        value = text;
        ++serial;
    }
};

enum class FocusTarget { IdEntry, List };

struct FormState {
    // Link settings.
    FormControl connectGroup, com, baud, connect, disconnect;
    // Count mode and selection.
    FormControl countModeGroup, totalize, batch, name, loadFile, list, del, sameAsPrevious;
    bool totalizeChecked = true;
    bool batchChecked = false;
    bool sameAsPreviousChecked = false;
    // Run control and the figure boxes.
    FormControl displayGroup, start, stop, zero, dump, repeat, done, reset;
    FormControl idEntry, packageNo, count, batchNo;
    FormText packageNoText, countText, batchNoText;
    // The seed set and the feed speed.
    FormControl feedSpeed, gateHor, gateVer, sensitivity, spin;
    FormText feedSpeedText, gateHorText, gateVerText, sensitivityText;
    int spinPos = 0;
    unsigned spinSerial = 0;
    // The ID edit: emptied, or its text selected, when the serial moves.
    unsigned idClearSerial = 0;
    unsigned idSelectSerial = 0;
    // Where the focus goes when `focusSerial` moves.
    FocusTarget focus = FocusTarget::IdEntry;
    unsigned focusSerial = 0;
};
