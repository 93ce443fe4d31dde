-- The Lua half of the window system, run by every window script as it is
-- made, before any screen script. Screen scripts describe window trees as
-- nested tables: a window table's keys are the window's keys, its array
-- items are functions that each build one child (a constructor's result) or
-- change the style in force. The functions here build those trees, run modal
-- dialogs and splash screens, and wait for messages and commands inside the
-- coroutine a screen script runs in.
--
-- What the framework reads of it: "gCurrentDefaultStyle" and its "parent"
-- chain (missing keys of window tables), "gMessageQueue", "gCommandQueue"
-- and "gYieldResult" (the message queues). "kDefault", "gCurID" and
-- "idtable" are defined for screen scripts and read by nothing here; the
-- stack "gParent" is kept by Push and Pop only.

LUA_PATH = "?;../?;../../?"

-- Button kinds (the "type" key).
kPush = 0
kToggle = 1
kRadio = 2

-- Alignment bits of "align" and of text flags.
kHAlignLeft = 0
kHAlignCenter = 1
kHAlignRight = 2
kVAlignTop = 0
kVAlignCenter = 4
kVAlignBottom = 8

kAllLayers = -1
-- Coordinate codes: the parent's centre and its far edge.
kCenter = 80000
kMax = 160000
kDefault = 128

-- How a button's label sits in it, per kind.
kPushButtonAlignment = kHAlignCenter + kVAlignCenter
kRadioButtonAlignment = kHAlignLeft + kVAlignCenter
kToggleButtonAlignment = kHAlignCenter + kVAlignCenter

-- Message types.
kCloseWindow = 1
kDefaultAction = 2
kButtonPress = 3
kPressAnyKey = 4
kQuitNow = 5
kModalClosed = 6

-- The result of the running dialog.
gReturnValue = nil
idtable = {}
gParent = {}
gCurrentDefaultStyle = {}
gCurID = 100
-- 1 when the next window built starts a radio group.
gBeginGroup = 0
-- The close names of modal windows that closed while the script waited for
-- another one.
gClosedWindows = {}
-- Messages and commands that arrived while no coroutine waited for them;
-- the newest is taken first.
gCommandQueue = {}
gMessageQueue = {}
-- The table handed to the running DisplayDialog.
gDialogTable = {}

-- ---- Window constructors: each returns a function that builds the window.

function Window(t)
  if t.create == nil then
    Creating("Window", t)
    t.create = CreateWindow
  end
  return function() DoWindow(t) end
end

function Text(t)
  Creating("Text", t)
  t.create = CreateText
  return Window(t)
end

function TextEdit(t)
  Creating("TextEdit", t)
  t.create = CreateTextEdit
  return Window(t)
end

function Bitmap(t)
  Creating("Bitmap", t)
  t.create = CreateBitmap
  return Window(t)
end

-- How a button's label sits in it.
local function LabelAlignment(kind)
  if kind == kToggle then return kToggleButtonAlignment end
  if kind == kRadio then return kRadioButtonAlignment end
  return kPushButtonAlignment
end

-- A button with a label gets a text child named "label", in the button's
-- font and flags, filling the button unless "tx", "ty", "tw", "th" say
-- otherwise. The text of a radio button carries "growparent" for a text
-- factory that lets the button grow with its label.
local function AddLabel(t, label)
  local kind = GetTag(t, "type")
  table.insert(t, AppendStyle{ font = GetTag(t, "font"), flags = GetTag(t, "flags") })
  table.insert(t, Text{
    label = label,
    x = GetTag(t, "tx") or 0,
    y = GetTag(t, "ty") or 0,
    w = GetTag(t, "tw") or kMax,
    h = GetTag(t, "th") or kMax,
    name = "label",
    defflags = LabelAlignment(kind),
    factory = GetTag(t, "textfactory") or "_text",
    growparent = kind == kRadio,
  })
end

local function BuildButton(t)
  local label = GetTag(t, "label")
  if label then AddLabel(t, label) end
  DoWindow(t)
  -- Set by CreateButton: the button's own set-up, once its children exist.
  if t.cleanup then t.cleanup() end
end

function Button(t)
  Creating("Button", t)
  t.create = CreateButton
  return function() BuildButton(t) end
end

-- ---- Building.

-- A create function that made no window (an unknown type, say) left the
-- parent current: popping then would put the later siblings a level up.
function DoWindow(t)
  t.beginGroup = gBeginGroup
  gBeginGroup = 0
  local depth = WindowStackDepth()
  t.create(t)
  local made = WindowStackDepth() > depth
  MakeDialog(t)
  if made then PopWindow() end
end

-- Builds the table's children in item order; a style they set ends here.
function MakeDialog(t)
  local style = gCurrentDefaultStyle
  table.foreachi(t, DoDialogCommand)
  typename = t.typename
  SetDefaultStyle(style)
  if typename then PostCreate(typename) end
end

-- Returns nothing, so that table.foreachi goes on to the next item.
function DoDialogCommand(index, item)
  item()
end

-- Children without a window of their own.
function Group(t)
  return function() MakeDialog(t) end
end

function Push(value)
  table.insert(gParent, 1, value)
end

function Pop()
  table.remove(gParent, 1)
end

function Creating(kind, t)
end

function CustomCreator(t)
end

function SetBeginGroup(value)
  gBeginGroup = 1
end

function BeginGroup()
  return function() SetBeginGroup() end
end

-- The first value up a style chain that is not nil or false. A chain that
-- comes back to a table it passed (a style appended inside itself is its
-- own parent) ends there: the key is missing.
local function FindInStyleChain(style, key)
  local passed = {}
  while type(style) == "table" and not passed[style] do
    local value = style[key]
    if value then return value end
    passed[style] = true
    style = style.parent
  end
  return nil
end

-- The table's own value for the key, else the one of the style in force;
-- with inStyle, the table is itself a style and its chain is searched.
function GetTag(t, key, inStyle)
  if inStyle then return FindInStyleChain(t, key) end
  local value = t[key]
  if value then return value end
  return FindInStyleChain(gCurrentDefaultStyle, key)
end

function SetDefaultStyle(style)
  gCurrentDefaultStyle = style
end

function SetStyle(style)
  return function() SetDefaultStyle(style) end
end

-- The style takes the one in force as its parent, so it only adds to it.
function AppendStyle(style)
  return function()
    style.parent = gCurrentDefaultStyle
    SetDefaultStyle(style)
  end
end

function SetFocus(name)
  return function() RealSetFocus(name) end
end

function SetDefault(value)
  return function() end
end

function SelectLayer(layer)
  return function() DoSelectLayer(layer) end
end

-- ---- Helpers.

-- n points spread evenly across the last window built, ends left out.
function DistributeX(n)
  divisor = n + 1
  d = {}
  for i = 1, n do d[i] = i / divisor * gDialogWidth end
  return d
end

function DistributeY(n)
  local d = {}
  for i = 1, n do d[i] = i / (n + 1) * gDialogHeight end
  return d
end

-- A colour from 0-255 components; opaque without alpha.
function Color(r, g, b, a)
  if a then a = a / 255 else a = 1 end
  return { r / 255, g / 255, b / 255, a }
end

-- A colour from 0-1 components; opaque without alpha.
function FColor(r, g, b, a)
  return { r, g, b, a or 1 }
end

local function OrEmpty(value)
  if value == nil then return "" end
  return value
end

function GetString(key, a1, a2, a3, a4, a5)
  return _GetString(key, OrEmpty(a1), OrEmpty(a2), OrEmpty(a3), OrEmpty(a4), OrEmpty(a5))
end

function SetBitmap(name, image, scale)
  _SetBitmap(name, image, scale or 1)
end

function ReadFile(name)
  return dofile("assets/" .. name)
end

function Yield()
  coroutine.yield()
end

-- ---- Dialogs.

function ModalReturn(value)
  gReturnValue = value
end

-- The running dialog's result, taken so that the next dialog starts without.
local function TakeReturnValue()
  local value = gReturnValue
  gReturnValue = nil
  return value
end

-- Opens a modal window, lets the script build the dialog in it, waits until
-- it closes and returns its result. A window that could not be opened (the
-- dialogs nest too deep; PushModal logs it) gives nothing at once: no close
-- would ever come for it.
local function RunDialog(name)
  local id = PushModal(name)
  if id == "" then return end
  ReadFile(name)
  WaitForCloseMessage(id)
  return TakeReturnValue()
end

function DoModal(name)
  return RunDialog(name)
end

function DisplayDialog(t)
  local name = t[1]
  if name == nil or name == "" then
    DebugOut("DisplayDialog called with empty script; aborting")
    return
  end
  gDialogTable = t
  return RunDialog(name)
end

function CloseWindow(value)
  PostMessage(CreateCloseMessage())
  if value then ModalReturn(value) end
end

function PopModal(value)
  if value then ModalReturn(value) end
  DoPopModal()
end

-- The top dialog is rebuilt by another script.
function SwapToModal(name)
  ClearModalChildren()
  ReadFile(name)
end

-- ---- Waiting.

-- Waits until the modal window of that close name goes, also when it went
-- while the script waited for another one.
function WaitForCloseMessage(id)
  while true do
    local m = WaitForMessage()
    if m then
      gLastMessage = m
      if m.type == kModalClosed then
        if m.name == id then return end
        gClosedWindows[m.name] = true
      end
    end
    if gClosedWindows[id] then
      gClosedWindows[id] = nil
      return
    end
  end
end

-- The newest queued message, unless skipQueue; else the next message to
-- arrive, nil after the time-out (milliseconds; none waits without one) or
-- a deferred call. A command that comes with the message, or the newest
-- queued one, runs first; its result goes to "gYieldResult".
function WaitForMessage(timeout, skipQueue)
  if not skipQueue and table.getn(gMessageQueue) > 0 then
    message = table.remove(gMessageQueue)
    return message
  end
  local m, f
  if timeout then
    m, f = HandleGetMessage(timeout)
  else
    m, f = HandleGetMessage()
  end
  if f then
    gYieldResult = f()
  elseif table.getn(gCommandQueue) > 0 then
    local command = table.remove(gCommandQueue)
    gYieldResult = command()
  end
  return m
end

function FlushMessages()
  while HandleGetMessage(1) do end
  gCommandQueue = {}
  gMessageQueue = {}
end

-- Waits that many milliseconds, or until a key when anyKey is set; the
-- messages that arrive meanwhile are queued for later.
function Pause(ms, anyKey)
  anyKey = anyKey or false
  local finish = GetTimer() + ms
  local now = GetTimer()
  while now < finish do
    local m = WaitForMessage(finish - now, true)
    if m then
      if anyKey and m.type == kPressAnyKey then return end
      table.insert(gMessageQueue, m)
    end
    now = GetTimer()
  end
end

-- ---- Splash screens.

local function IsClosing(m, id)
  return m.type == kModalClosed and m.name == id
end

local function EndsSplash(m, id)
  return m.type == kCloseWindow or m.type == kPressAnyKey or IsClosing(m, id)
end

-- Whether the dialog's own closing was put back in the queue by a pause.
local function ClosedInQueue(id)
  for i = 1, table.getn(gMessageQueue) do
    if IsClosing(gMessageQueue[i], id) then return true end
  end
  return false
end

-- Shows the image under the style's "splashoverlay" (when there is one).
-- False when the image did not load.
local function ShowSplashImage(image)
  local overlay = GetTag({}, "splashoverlay") or Group{}
  MakeDialog{ Bitmap{ name = "splashimage", image = image, overlay } }
  for i = 1, 2 do
    UpdateWindow()
    Pause(50)
  end
  return ImageLoaded("splashimage") == true
end

-- Plays the movie, or shows the image for that many milliseconds; a key or
-- a close ends it early. The message a wait brings is looked at before the
-- time: its own window's closing may come in the wait that runs past the
-- end. A splash whose window could not be opened shows nothing and pops
-- nothing.
function DisplaySplash(movie, image, ms)
  local id = PushModal("DisplaySplash")
  if id == "" then return end
  inMovie = StartMovie(movie)
  local finish = GetTimer() + ms
  local shown = inMovie or ShowSplashImage(image)
  local closed = false
  while shown do
    local m = WaitForMessage(100)
    if m and EndsSplash(m, id) then
      closed = IsClosing(m, id)
      break
    end
    if not inMovie and GetTimer() >= finish then break end
    if inMovie and not IsMoviePlaying() then break end
  end
  if inMovie then StopMovie() end
  -- A splash whose window has gone already must not pop the dialog under it.
  if not (closed or ClosedInQueue(id)) then PopModal() end
end
