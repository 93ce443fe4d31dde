-- The help screen plays each tutorial in tutorial mode with "skipButton"
-- shown; leaving a tutorial or skipping it leads back to the help screen
-- with the mode off and the tutorial not seen; "Back" closes the screen.
ReadFile("cases/setup.lua")
kHelpTurning = { 630, 308 }
kHelpBombs = { 630, 376 }
kHelpBack = { 630, 548 }
kSkipButton = { 110, 36 }

function ShowHelp()
  Print("help", Kind("helpTutorial1"), Kind("helpTutorial2"), Kind("helpBack"), PlayedLevel(),
        IsTutorialMode(), IsTutorialLevel(2, 1), IsTutorialLevel(3, 1))
end

function ShowTutorial()
  Print("tutorial", PlayedLevel(), Kind("skipButton"), Kind("quitGame"), IsTutorialMode())
end

Call("ShowHelp")
ClickAt(kHelpTurning)
Idle(50)
Call("ShowTutorial")
ClickAt(kQuitGame)
Idle(100)
Call("ShowHelp")
ClickAt(kHelpBombs)
Idle(50)
Call("ShowTutorial")
ClickAt(kSkipButton)
Idle(2000)
Call("ShowHelp")
ClickAt(kHelpBack)
Idle(100)
Print("help closed with", DoModal("scripts/helpmenu.lua"))
