#pragma once

namespace GUI {
class TArcadeWindow;
class TTutorialMsgViewImpl;
}  // namespace GUI

class GameDriver;

// A tutorial played as a player plays it: its dialogs are read once they
// have faded in and closed by their continue button, where the message view
// draws it; the moves it asks for are drags on the ring.

// Game time moves on until the front dialog has faded in; false when none
// does.
bool WaitForTutorialDialog(GameDriver& driver, GUI::TTutorialMsgViewImpl& messages);
// Clicks the front dialog's continue button.
void ClickTutorialContinue(GameDriver& driver, GUI::TTutorialMsgViewImpl& messages);
// Drags a ring one slot the way the model says lines up a match, again
// until a dialog waits for its button; false when none comes.
bool DragMatchesUntilADialogWaits(GameDriver& driver, GUI::TArcadeWindow& window,
                                  GUI::TTutorialMsgViewImpl& messages);
