-- The small helpers: colours, points spread over the last window attached,
-- the parent stack and the radio-group mark.

Print("Color", Color(255, 0, 0))
Print("Color with alpha", Color(0, 51, 255, 102))
Print("Color with false alpha", Color(0, 0, 0, false))
Print("FColor", FColor(0.5, 0.5, 0.5))
Print("FColor with alpha", FColor(1, 0, 0.25, 0.75))

GenericCreate{ typename = "Plain", name = "wide", w = 400, h = 300 }
Print("DistributeX", DistributeX(3), divisor, d == DistributeX(1))
Print("DistributeX global", d)
Print("DistributeY", DistributeY(2))
Print("DistributeY none", DistributeY(0))
Print("DistributeY leaves d", d)

-- The tree shows where the windows went: each new one under the last.
GenericCreate{ typename = "Plain", name = "inner", x = kCenter, y = -60, w = 100, h = 50 }
PrintTree()

Push("outer")
Push("inner")
Print("Push", gParent)
Pop()
Print("Pop", gParent)
Pop()
Pop()
Print("Pop on empty", gParent)

local mark = BeginGroup()
Print("BeginGroup before the call", gBeginGroup)
mark()
Print("BeginGroup called", gBeginGroup)

ModalReturn("chosen")
Print("ModalReturn", gReturnValue)
Print("SetDefault", type(SetDefault(7)), SetDefault(7)())
Print("Creating", Creating("Window", {}), CustomCreator({}))
