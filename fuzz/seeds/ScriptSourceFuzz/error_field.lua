local function deep(t)
  t.x.y = 1
end
deep({})
