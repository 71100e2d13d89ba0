#pragma once

#include <QByteArray>
#include <QString>

#include "link/SendFrame.h"

class cSerialCom;

// The message shown when the sender's frame could not be written.
QString SendFailureMessage(FrameSender sender);

// Shows what went wrong on `channel` since it was last asked, oldest first,
// each in a box with its caption and the stop icon. Nothing without a channel.
void ReportLinkErrors(cSerialCom* channel);

// Sends `frame` (SendFrame), shows the line errors met on the way, and when
// the write failed the sender's message with caption "Error".
SendResult SendAndReport(cSerialCom* channel, const QByteArray& frame, FrameSender sender);
