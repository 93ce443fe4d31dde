-- A module: a table of functions; it counts how often it was loaded.
loadcount = (loadcount or 0) + 1
local shapes = {name = _REQUIREDNAME}
function shapes.area(width, height) return width * height end
return shapes
