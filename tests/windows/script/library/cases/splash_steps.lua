-- DisplaySplash's own steps, over recording stand-ins for the native
-- modal, movie, image and wait functions. A wait that gets no reply times
-- out after the time it was given on a stand-in timer.

local quiet = false
local function Note(...)
  if not quiet then Print(unpack(arg)) end
end
local now = 0
function GetTimer() return now end
local replies = {}
local function Reply(m) table.insert(replies, { m }) end
function HandleGetMessage(timeout)
  Note("wait", timeout)
  local reply = table.remove(replies, 1)
  if reply == nil or reply[1] == nil then
    now = now + timeout
    return
  end
  return reply[1]
end
local function M(type, name) return { type = type, name = name } end

function PushModal(name)
  Note("PushModal", name)
  return "id:" .. name
end
function DoPopModal() Note("DoPopModal") end
local plays = 0
function StartMovie(file)
  Note("StartMovie", file)
  return file ~= ""
end
function IsMoviePlaying()
  plays = plays - 1
  return plays >= 0
end
function StopMovie() Note("StopMovie") end
function UpdateWindow() Note("UpdateWindow") end
local loaded = false
function ImageLoaded(name)
  Note("ImageLoaded", name)
  return loaded
end
function CreateBitmap(t) Note("Bitmap", t.name, t.image) end
function CreateWindow(t) Note("Window", t.name) end
function PopWindow() end

-- An image that did not load ends the splash at once.
DisplaySplash("", "missing", 3000)
Print("missing image", now)

-- A loaded image shows, under the style's overlay, until its time.
now = 0
loaded = true
SetStyle{ splashoverlay = Window{ name = "overlay" } }()
DisplaySplash("", "logo", 300)
Print("until its time", now)
SetDefaultStyle{}

-- A close, a key or the close of the splash's own window end it early; the
-- close of another window or a named message does not. A key during the
-- first pauses is queued and ends it as the wait begins.
quiet = true
local cases = {
  { "close message", nil, nil, M(kCloseWindow, "anything") },
  { "key", nil, nil, M(kPressAnyKey, "raw:A") },
  { "own window closed", nil, nil, M(kModalClosed, "id:DisplaySplash") },
  { "other window closed", nil, nil, M(kModalClosed, "id:other"), M(kButtonPress, "named") },
  { "key during the pauses", M(kPressAnyKey, "raw:K") },
}
for i = 1, table.getn(cases) do
  local case = cases[i]
  now = 0
  replies = {}
  for reply = 2, 5 do Reply(case[reply]) end
  DisplaySplash("", "logo", 400)
  Print(case[1], now, table.getn(gMessageQueue))
end
quiet = false

-- A movie plays until it stops, whatever the time.
now = 0
plays = 2
DisplaySplash("intro.mvi", "unused", 50)
Print("movie", now, inMovie)
