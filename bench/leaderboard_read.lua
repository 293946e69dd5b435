-- wrk: reads a day's leaderboard from quandrel-server (GET /v1/days/DAY/board),
-- the top ten, or with PLAYERS_FILE the rows around one of its players (a
-- rank worked out per request), and reports the rate and the latency.
-- Usage: wrk -s bench/leaderboard_read.lua URL -- DAY [PLAYERS_FILE]
dofile(debug.getinfo(1, "S").source:match("^@(.-)[^/]*$") .. "leaderboard_answers.lua")
count_answers(200, "answered")

function init(args)
  day = args[1]
  players = {}
  if args[2] then
    for line in io.lines(args[2]) do players[#players + 1] = line end
  end
  sent = 0
end

function request()
  sent = sent + 1
  local path = "/v1/days/" .. day .. "/board?limit=10"
  if #players > 0 then
    path = path .. "&around=" .. players[math.random(#players)]
  end
  return wrk.format("GET", path)
end
