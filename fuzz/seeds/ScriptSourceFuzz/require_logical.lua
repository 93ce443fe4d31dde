-- require finds modules by logical names of the file layer, through the
-- templates of LUA_PATH, and loads each name once.
LUA_PATH = "modules/?.lua;modules/?/init.lua"
local shapes = require("shapes")
print(shapes.name, shapes.area(3, 4), _REQUIREDNAME, loadcount)
print(require("shapes") == shapes, loadcount, _LOADED.shapes == shapes)

-- A module that returns nothing is recorded as true; here the second
-- template finds it.
print(require("nested"), nestedran, _LOADED.nested)

-- Modules may require others; _REQUIREDNAME is restored afterwards.
local outer = require("outer")
print(outer.before, outer.inner.name, outer.after, _REQUIREDNAME)

-- Logical names ignore case, but _LOADED keeps the names as asked for.
local again = require("SHAPES")
print(again == shapes, again.name, loadcount)

-- A module stored as UTF-16LE text.
print(require("wide"))

-- Failures: no file on any template, a syntax error, an error while running.
print(pcall(require, "absent"))
print(pcall(require, "broken"))
print(pcall(require, "failing"))
print(_LOADED.failing, _REQUIREDNAME)

-- dofile and loadfile take logical names too.
print(dofile("modules/inner.lua").name, loadfile("modules/absent.lua"))
