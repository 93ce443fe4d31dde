local function run()
  return undefinedfunction()
end
run()
