-- The children of the submit dialog, which the hiscore screen opens over
-- itself and fills: the player's name and best unsent score, the online
-- account with its password and "Remember me", and the buttons that send
-- the score ("submittoserver") or the medals ("medaltoserver") or close the
-- dialog ("submitcancel"). While it sends, only "submitconnect" shows of the
-- form; a refusal shows in "submiterror" until "submiterrorok" leads back to
-- the form. The dialog takes every command itself, so none has a function.
local kLabelFont = { "fonts/default.mvec", 22, Color(255, 241, 184) }
local kEditFont = { "fonts/default.mvec", 22, Color(255, 255, 255) }
local kLeft = kHAlignLeft + kVAlignCenter
local kNote = kHAlignCenter + kVAlignTop
local kCheckBoxGraphics = { "buttons/check-off", "buttons/check-on", "buttons/check-off-over", "buttons/check-on-over" }

local function Label(name, label, x, y, w, h, flags)
  return Text{ name = name, label = label, font = kLabelFont, flags = flags or kLeft, x = x, y = y, w = w, h = h }
end

-- A sunk box with the edit inside it: hiding the box hides the edit.
local function EditBox(name, edit, x, y, password)
  return Bitmap{ name = name, image = "hiscore/panel-editbox", x = x, y = y,
    TextEdit{ name = edit, font = kEditFont, flags = kLeft, password = password, length = 24,
              x = 10, y = 4, w = 220, h = 32 },
  }
end

MakeDialog{
  Bitmap{ name = "submitpanel", image = "hiscore/panel-dialog", x = 140, y = 100,
    Text{ name = "header", label = "SubmitHeader", font = kHeadingFont, x = 20, y = 12, w = 480, h = 50 },
    Text{ name = "headerMedal", label = "SubmitHeaderMedal", font = kHeadingFont, x = 20, y = 12, w = 480, h = 50 },
    Label("playertext", "SubmitPlayer", 30, 72, 200, 40),
    EditBox("nameeditbox", "nameedit", 240, 72, false),
    Label("yourscore", "SubmitYourScore", 30, 118, 200, 36),
    Label("eligiblescore", "#", 250, 118, 220, 36),
    Label("yourvqaccount", "SubmitAccount", 30, 162, 460, 36),
    Label("nametext", "SubmitAccountName", 30, 202, 200, 40),
    EditBox("accounteditbox", "accountedit", 240, 202, false),
    Label("passtext", "SubmitPassword", 30, 250, 200, 40),
    EditBox("passeditbox", "passedit", 240, 250, true),
    Button{ name = "remember", type = kToggle, graphics = kCheckBoxGraphics, x = 236, y = 294, w = 40, h = 40,
            label = "SubmitRemember", font = kLabelFont, flags = kLeft, tx = 48, ty = 0, tw = 200, th = 40 },
    Text{ name = "submitconnect", label = "SubmitConnecting", font = kLabelFont, flags = kCentred,
          x = 20, y = 150, w = 480, h = 60 },
    Text{ name = "submiterror", label = "#", font = kLabelFont, flags = kNote, x = 30, y = 80, w = 460, h = 180 },
    Button{ name = "submiterrorok", label = "SubmitOk", x = 150, y = 270, w = 220, h = 56 },
    Button{ name = "submittoserver", label = "SubmitSend", x = 30, y = 336, w = 220, h = 56 },
    Button{ name = "medaltoserver", label = "SubmitSendMedals", x = 30, y = 336, w = 220, h = 56 },
    Button{ name = "submitcancel", label = "SubmitCancel", x = 270, y = 336, w = 220, h = 56 },
  },
}
