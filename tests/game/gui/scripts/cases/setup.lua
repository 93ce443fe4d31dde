-- What every case starts from: the pictures the screens show, without a
-- display, and the main loop's style, run table and helpers (its screen
-- function is not run: the case leads instead).
AddImage("backgrounds/title", 800, 600)
AddImage("backgrounds/play", 800, 600)
AddImage("backgrounds/longdialog", 512, 256)
AddImage("buttons/level-open", 72, 72)
AddImage("buttons/level-shut", 72, 72)
AddImage("buttons/menu-up", 220, 56)
AddImage("buttons/menu-down", 220, 56)
AddImage("buttons/menu-over", 220, 56)
ReadFile("scripts/mainloop.lua")

-- Points on the screens.
kLevelOne = { 558, 316 }
kLevelTwo = { 630, 316 }
kLevelFive = { 666, 392 }
kPauseButton = { 690, 36 }
kQuitGame = { 690, 564 }
kPauseContinue = { 280, 346 }
kPauseToMap = { 520, 346 }
kZenEndContinue = { 630, 428 }
kZenButton = { 630, 478 }
kZenMenuFirst = { 558, 316 }
kZenMenuBack = { 630, 548 }
kJourneyEndContinue = { 400, 346 }

function ClickAt(point)
  Click(point[1], point[2])
end

function ShowMap()
  Print("map", Kind("worldName"), Kind("level1"), Kind("level2"), Kind("level3"), Kind("zenButton"),
        PlayedLevel())
end

function ShowPlay()
  Print("play", PlayedLevel(), Kind("pauseButton"), Kind("skipButton"), Kind("quitGame"),
        Kind("worldName"), ClocksRun())
end

function LeaveLevel()
  Restart()
end

function ShowZenMenu()
  Print("zen menu", Kind("zenMenu"), Kind("zen1"), Kind("zen2"), Kind("zenMenuBack"), Kind("worldName"),
        PlayedLevel())
end

kLevelThree = { 702, 316 }
kLevelFour = { 594, 392 }
kStartScreenPage = { 400, 100 }
kStartScreenNext = { 670, 558 }

function ShowStart()
  Print("start", Kind("startScreen"), ImageLoaded("background"), GetLabel("ContentText"), StartPage())
end

kTipContinue = { 520, 394 }
kTipReset = { 280, 394 }

function ShowTip()
  Print("tip", Kind("endLevelTable"), GetLabel("CurrentLevel"), Kind("GameTips"), Kind("Reset"), PlayedLevel())
end
