#pragma once

class Cvyn8_rk47Doc;
class QWidget;

namespace commands {

// View > Review Sample Opened: the records of the opened file, when there are any.
void OnReviewSampleOpened(Cvyn8_rk47Doc& doc, QWidget* parent);
// View > I.D.(Variety): the inventory check.
void OnCheckInventory(Cvyn8_rk47Doc& doc, QWidget* parent);
// View > Edit: the records of this run, shown again after each Enter until cancelled.
void OnViewCurrentSample(Cvyn8_rk47Doc& doc, QWidget* parent);

}  // namespace commands
