-- The building steps of the library, seen through recording stand-ins for
-- the native functions they call: the order windows are made and popped,
-- the style in force for each (a style set by an item holds for the later
-- siblings and their children and ends with the enclosing window or
-- group), the radio-group mark, the "label" child of a button and the
-- button's cleanup, and PostCreate of a registered window type.

local depth = 0
local function Line(text)
  Print(string.rep("  ", depth) .. text)
end

local function Show(value)
  if type(value) == "table" then return "{" .. table.concat(value, ",") .. "}" end
  return tostring(value)
end

local function WindowKeys(t)
  return " group " .. tostring(t.beginGroup) .. " colour " .. tostring(GetTag(t, "colour"))
end

local function TextKeys(t)
  return " label " .. tostring(t.label) .. " at " .. t.x .. "," .. t.y .. " " .. t.w .. "x" .. t.h
    .. " defflags " .. t.defflags .. " factory " .. t.factory .. " growparent " .. tostring(t.growparent)
    .. " font " .. Show(GetTag(t, "font")) .. " flags " .. tostring(GetTag(t, "flags"))
end

local function Opens(kind, describe)
  return function(t)
    Line(kind .. " " .. tostring(t.name) .. describe(t))
    depth = depth + 1
  end
end

CreateWindow = Opens("Window", WindowKeys)
GenericCreate = Opens("Typed", WindowKeys)
CreateText = Opens("Text", TextKeys)
function CreateButton(t)
  Opens("Button", WindowKeys)(t)
  t.cleanup = function() Line("cleanup " .. t.name) end
end
function PopWindow() depth = depth - 1 end
function WindowStackDepth() return depth end
function PostCreate(name) Line("PostCreate " .. name) end

MakeDialog{
  SetStyle{ colour = "base" },
  Window{ name = "panel",
    AppendStyle{ colour = "panel style" },
    Window{ name = "child" },
    BeginGroup(),
    Button{ name = "radio", type = kRadio, label = "Pick", font = { "f.mvec", 12 }, flags = 2, tx = 5, th = 20 },
    Button{ name = "plain" },
    Group{
      SetStyle{ colour = "group style" },
      Window{ name = "in group" },
    },
    Window{ name = "after group" },
  },
  Window{ name = "sibling" },
  AppendStyle{ label = "from style", textfactory = "fancy", tw = 50 },
  Button{ name = "toggle", type = kToggle },
  Button{ name = "push", label = "#Go" },
  Plain{ name = "typed" },
}
Print("after", depth, gBeginGroup, typename, gCurrentDefaultStyle.colour, gCurrentDefaultStyle.parent)
