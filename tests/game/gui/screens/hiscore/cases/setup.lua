-- What every case starts from: the pictures the hiscore screens show,
-- without a display, the main loop's style, and the helpers of the cases.
local images = { { "backgrounds/hiscores", 800, 600 }, { "hiscore/panel-left", 440, 440 },
                 { "hiscore/panel-right", 260, 440 }, { "hiscore/panel-rightsmall", 260, 300 },
                 { "hiscore/panel-dialog", 520, 400 }, { "hiscore/panel-editbox", 240, 40 },
                 { "hiscore/account", 20, 20 }, { "buttons/menu-up", 220, 56 }, { "buttons/menu-down", 220, 56 },
                 { "buttons/menu-over", 220, 56 } }
for _, state in ipairs{ "off", "on", "off-over", "on-over" } do
  table.insert(images, { "buttons/check-" .. state, 40, 40 })
end
for _, direction in ipairs{ "left", "right", "up", "down" } do
  for _, state in ipairs{ "up", "down", "over" } do
    table.insert(images, { "buttons/arrow-" .. direction .. "-" .. state, 40, 40 })
  end
end
for _, image in ipairs(images) do
  AddImage(image[1], image[2], image[3])
end
ReadFile("scripts/mainloop.lua")

-- The functions queued with Then run one after the other as the screen
-- waits, each after what was queued before it and followed by 10 ms, in
-- which the messages it posted (a button's command) are delivered.
gSteps = {}
function Then(step)
  table.insert(gSteps, step)
  local name = "gStep" .. table.getn(gSteps)
  _G[name] = step
  Call(name)
  Idle(10)
end

-- Presses the screen's button and waits for what it asked of the service.
function PressAndWait(name)
  Then(function() Press(name) end)
  IdleUntil("Answered", 10000)
end

function ShowScreen(what)
  Then(function()
    Print(what, View())
    Print("", Shown())
    Print("", Rows())
  end)
end

-- The screen closes through its "Back", and with it the run.
kBack = { 650, 564 }
-- The dialog goes at the start of the event after its closing, and only
-- then does the script hear of it.
function Leave()
  Click(kBack[1], kBack[2])
  Idle(30)
end
