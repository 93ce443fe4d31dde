-- Window trees built from nested constructors over the real create
-- functions: coded coordinates, the style in force for later siblings and
-- their children, groups, radio groups, layers, the focus, registered
-- window types and button labels.

local postCreate = PostCreate
function PostCreate(name)
  Print("PostCreate", name)
  postCreate(name)
end

local first, second, third = { name = "first", x = 0, y = 0, w = 80, h = 20, type = kRadio },
  { name = "second", x = 0, y = 20, w = 80, h = 20, type = kRadio },
  { name = "third", x = 0, y = 40, w = 80, h = 20, type = kRadio }

MakeDialog{
  SetStyle{ h = 40 },
  Window{ name = "panel", x = 10, y = 20, w = 300, h = 200,
    Window{ name = "centred", x = kCenter, y = -40, w = 100, h = 30 },
    AppendStyle{ w = 60 },
    Window{ name = "styled width", y = 50,
      Window{ name = "styled child" },
    },
    Group{
      Window{ name = "in group", x = 100, y = 100 },
      Text{ name = "caption", x = 100, y = 150, w = 100, h = 20, label = "Caption" },
    },
  },
  Window{ name = "style ended", x = 400, y = 0 },
  Plain{ name = "typed", x = 500, w = 50, h = 50,
    Plain{ name = "inner typed", w = 10, h = 10 },
  },
  Window{ name = "fills", x = 600, y = 100, w = kMax, h = kMax,
    TextEdit{ name = "edit", x = 0, y = 0, w = 150, h = 30 },
    Bitmap{ name = "picture", x = -30, y = kCenter, w = 20, h = 20 },
  },
  Window{ name = "radios", x = 0, y = 300, w = 200, h = 100,
    Button(first),
    BeginGroup(),
    Button(second),
    Button(third),
  },
  Button{ name = "layered", x = 300, y = 300, w = 100, h = 50,
    SelectLayer(1),
    Window{ name = "hover only", w = 10, h = 10 },
    SelectLayer(kAllLayers),
    Window{ name = "every layer", w = 10, h = 10 },
  },
  Button{ name = "labelled", x = 300, y = 400, w = 100, h = 50, label = "OK" },
  Button{ name = "placed label", x = 540, y = 400, w = 100, h = 50, label = "Go", tx = 10, ty = 5, tw = 50, th = 20 },
  Button{ name = "plain button", x = 420, y = 400, w = 100, h = 50 },
  SetFocus("edit"),
}
PrintTree()
Print("radio groups", first.beginGroup, second.beginGroup, third.beginGroup, gBeginGroup)

-- The focus went to the text edit: typed characters land in it, each
-- reported by a message of its name.
TypeChar(72)
TypeChar(105)
Idle(60)
Pause(50)
Print("typed", GetLabel("edit"), gMessageQueue)

-- A create function that makes no window (a type nobody registered) leaves
-- the parent current: the next sibling still lands in the parent.
MakeDialog{
  Window{ name = "holder", x = 0, y = 500, w = 100, h = 50,
    Window{ name = "unknown", create = GenericCreate, typename = "Unregistered" },
    Window{ name = "next sibling", w = 10, h = 10 },
  },
  Window{ name = "after holder", x = 200, y = 500, w = 10, h = 10 },
}
PrintTree()
