-- What every case starts from: the pictures the screens show, without a
-- display, the main loop's style and run table, and the table's probes.
for _, image in ipairs{ { "backgrounds/title", 800, 600 }, { "backgrounds/play", 800, 600 },
                        { "backgrounds/longdialog", 512, 256 }, { "backgrounds/scoretable", 512, 424 },
                        { "backgrounds/black-1", 64, 64 }, { "sprites/table/row-highlight", 464, 40 },
                        { "sprites/jugs/jug-jewel-yel", 32, 32 }, { "sprites/jugs/jug-jewel-blu", 32, 32 },
                        { "buttons/level-open", 72, 72 }, { "buttons/level-shut", 72, 72 },
                        { "buttons/menu-up", 220, 56 }, { "buttons/menu-down", 220, 56 },
                        { "buttons/menu-over", 220, 56 } } do
  AddImage(image[1], image[2], image[3])
end
ReadFile("scripts/mainloop.lua")

kLevelOne = { 558, 316 }
kHurry = { 400, 40 }
-- Off the table: a real pointer leaves the table before it reaches a
-- button, which lets the table's hurry button go.
kAway = { 20, 20 }
kContinue = { 400, 504 }
kLevelFive = { 666, 392 }
kBackToMain = { 640, 564 }

function ClickAt(point)
  Click(point[1], point[2])
end

function ShowMap()
  Print("map", Seen("worldName"), Seen("level1"), Seen("level2"), Seen("collectableTable"))
end

function ShowMetrics()
  Print("metrics", MetricsLevel(), MetricsRecords(), JourneyCompleted())
end

function ShowTable()
  Print("table", Seen("DestroyedPieces"), Seen("TimeBonus"), Seen("BlockerBonus"), Seen("ExpertScore"),
        Seen("continueButton"), Seen("quit"), GetLabel("LevelScore"), GetLabel("TotalScore"),
        GetLabel("ElapsedTime"), FadeAlpha(), Jewels())
end
