local before = _REQUIREDNAME
local inner = require("inner")
return {before = before, after = _REQUIREDNAME, inner = inner}
