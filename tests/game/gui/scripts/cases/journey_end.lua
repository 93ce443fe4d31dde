-- Leaving 10-5 turns the play screen into the game-end screen: the closing
-- level 99-1, played in tutorial mode as the game-end screen, under the
-- game-end window, whose slideshow puts up the first slide 2500 ms later.
-- Its "Continue" ends the closing level, which leads back to the title
-- menu (the map's dialog closes) with tutorial mode off again.
ReadFile("cases/setup.lua")
AddImage("splash/upsell01.jpg", 480, 360)
AddImage("splash/upsell02.jpg", 480, 360)
AddImage("splash/upsell03.jpg", 480, 360)
AddImage("splash/upsell04.jpg", 480, 360)
gJourney.openWorld, gJourney.openLevel, gJourney.shownWorld = 10, 5, 10
kGameEndContinue = { 400, 564 }
function ShowGameEnd()
  Print("game end", PlayedLevel(), Kind("gameEnd"), Kind("skipButton"), Kind("pauseButton"), IsGameEndScreen(),
        IsTutorialMode(), Slide())
end
ClickAt(kLevelFive)
Idle(50)
Call("ShowPlay")
Call("LeaveLevel")
Idle(100)
Call("ShowGameEnd")
Idle(2500)
Call("ShowGameEnd")
ClickAt(kGameEndContinue)
Idle(1200)
Print("map closed with", DoModal("scripts/levelmap.lua"))
Print("tutorial mode", IsTutorialMode())
PrintTree()
