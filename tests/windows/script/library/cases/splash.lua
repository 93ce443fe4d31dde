-- Splash screens without a movie, over the real window functions: the
-- image shows in a modal window of its own until its time is up, a key is
-- pressed or a close message comes; an image that does not load ends the
-- splash once it has had its chance to show (two pauses of 50 ms).

local function Splash(image, ms)
  local start = GetTimer()
  DisplaySplash("", image, ms)
  return GetTimer() - start
end

Idle(100)
Print("missing image", Splash("missing.png", 3000))
PrintTree()

-- A queued command runs at the first wait, once the image shows.
AddImage("logo.png", 200, 100)
table.insert(gCommandQueue, PrintTree)
Idle(300)
Print("until its time", Splash("logo.png", 300))

Idle(150)
PressKey(65)
Print("a key", Splash("logo.png", 3000))

-- A close message that no window took, handed over as the image shows.
table.insert(gCommandQueue, function() SendNow(kCloseWindow, "anything") end)
Idle(150)
Print("a close message", Splash("logo.png", 3000))
PrintTree()

-- The splash's own window closed (its dialog's close message): the dialog
-- under it stays.
PushModal("under")
table.insert(gCommandQueue, function() PostMessage(CreateCloseMessage()) end)
Idle(150)
Print("its own window closed", Splash("logo.png", 3000))
PrintTree()
