-- A script shaped like the game's window scripts: nested tables describe a
-- screen and its children, window classes find their handlers through
-- "__index", and queues of pending work are drained with pairs while their
-- entries are set to nil.

Window = {}
Window.__index = Window

function Window.new(class, spec)
  local window = setmetatable({}, class)
  for key, value in pairs(spec) do window[key] = value end
  window.children = window.children or {}
  return window
end

function Window:width() return self.rect.right - self.rect.left end
function Window:height() return self.rect.bottom - self.rect.top end

function Window:describe()
  return self.kind .. " " .. self.name .. " " .. self:width() .. "x" .. self:height()
end

-- A message goes to the handler "On" .. message, when the class has one.
function Window:OnMessage(message, ...)
  local handler = self["On" .. message]
  if handler == nil then return false end
  return handler(self, unpack(arg))
end

Button = setmetatable({kind = "Button"}, {__index = Window})
Button.__index = Button
clicks = {}
function Button:OnClick(x, y)
  clicks[self.name] = (clicks[self.name] or 0) + 1
  return true
end

Text = setmetatable({kind = "Text"}, {__index = Window})
Text.__index = Text

local screen = Window.new(Window, {
  kind = "Screen",
  name = "MainMenu",
  rect = {left = 0, top = 0, right = 800, bottom = 600},
})
local layout = {
  {class = Button, name = "Play", label = L"Play",
   rect = {left = 300, top = 200, right = 500, bottom = 250}},
  {class = Button, name = "Options", label = L"Options",
   rect = {left = 300, top = 270, right = 500, bottom = 320}},
  {class = Text, name = "Title", label = L"Tower \x263A",
   rect = {left = 100, top = 40, right = 700, bottom = 120}},
}
for i, spec in ipairs(layout) do
  local child = Window.new(spec.class, spec)
  child.class = nil
  child.parent = screen
  screen.children[i] = child
end
print(screen:describe())
for _, child in ipairs(screen.children) do
  print(child:describe(), child.label, child.parent == screen, rawget(child, "class"))
end

local function childat(window, x, y)
  for _, child in ipairs(window.children) do
    local r = child.rect
    if x >= r.left and x < r.right and y >= r.top and y < r.bottom then return child end
  end
  return window
end

-- Messages wait in a queue until the next update drains it.
local queue, posted = {}, 0
local function post(window, message, ...)
  posted = posted + 1
  queue[posted] = {window = window, message = message, args = arg}
end
post(childat(screen, 350, 220), "Click", 350, 220)
post(childat(screen, 350, 300), "Click", 350, 300)
post(childat(screen, 351, 221), "Click", 351, 221)
post(childat(screen, 150, 60), "Click", 150, 60)
post(childat(screen, 10, 10), "Click", 10, 10)

local handled = {}
for id, entry in pairs(queue) do
  handled[id] = entry.window:OnMessage(entry.message, unpack(entry.args))
  queue[id] = nil
end
print(next(queue), handled[1], handled[2], handled[3], handled[4], handled[5])
print(clicks.Play, clicks.Options, clicks.Title, clicks.MainMenu)

-- Timed tasks by name: each update counts them down, and a task that is done
-- removes itself from the table being walked.
local tasks = {
  blink = {delay = 2},
  fade = {delay = 5},
  tick = {delay = 1, period = 2},
}
local fired = {}
for frame = 1, 6 do
  for name, task in pairs(tasks) do
    task.delay = task.delay - 1
    if task.delay <= 0 then
      fired[name] = fired[name] and fired[name] .. "," .. frame or "" .. frame
      if task.period then task.delay = task.period else tasks[name] = nil end
    end
  end
end
print(fired.blink, fired.fade, fired.tick, tasks.blink, tasks.fade, tasks.tick ~= nil)

-- Handlers kept as globals named after their screen.
function MainMenu_OnShow(self) return "shown " .. self.name .. " with " .. posted .. " messages" end
print(_G[screen.name .. "_OnShow"](screen))

-- Deep settings tables.
local settings = {
  screens = {
    MainMenu = {music = "menu.ogg", buttons = {"Play", "Options"}},
    Game = {music = "game.ogg", buttons = {}},
  },
}
local menu = settings.screens.MainMenu
print(menu.music, menu.buttons[2], settings.screens.Game.buttons[1], settings.screens.Credits)
settings.screens.Game = nil
local left = 0
for _ in pairs(settings.screens) do left = left + 1 end
print(left)
