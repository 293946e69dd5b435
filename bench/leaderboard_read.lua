-- wrk: reads a day's leaderboard from quandrel-server (GET /v1/days/DAY/board),
-- the top ten, or with PLAYERS_FILE the rows around one of its players (a
-- rank worked out per request), and reports the rate and the latency.
-- Usage: wrk -s bench/leaderboard_read.lua URL -- DAY [PLAYERS_FILE]
local threads = {}

function setup(thread)
  table.insert(threads, thread)
end

function init(args)
  day = args[1]
  players = {}
  if args[2] then
    for line in io.lines(args[2]) do players[#players + 1] = line end
  end
  sent = 0
  answered = 0
  refused = 0
end

function request()
  sent = sent + 1
  local path = "/v1/days/" .. day .. "/board?limit=10"
  if #players > 0 then
    path = path .. "&around=" .. players[math.random(#players)]
  end
  return wrk.format("GET", path)
end

function response(status)
  if status == 200 then answered = answered + 1 else refused = refused + 1 end
end

function done(summary, latency)
  local total_answered, total_refused = 0, 0
  for _, thread in ipairs(threads) do
    total_answered = total_answered + thread:get("answered")
    total_refused = total_refused + thread:get("refused")
  end
  local seconds = summary.duration / 1e6
  io.write(string.format("rate %.1f\nanswered %d\nrefused %d\nerrors %d\np50_ms %.2f\np99_ms %.2f\n",
    total_answered / seconds, total_answered, total_refused,
    summary.errors.connect + summary.errors.read + summary.errors.write + summary.errors.timeout,
    latency:percentile(50) / 1000, latency:percentile(99) / 1000))
end
