-- wrk: posts real runs to quandrel-server (POST /v1/runs), each from a player
-- of its own, and reports how many were kept and the latency.
-- Usage: wrk -t THREADS -s bench/leaderboard_post.lua URL -- TOKENS_FILE THREADS
-- TOKENS_FILE holds one distinct proven run a line (leaderboard_runs); each
-- wrk thread posts its own share of them, so no run is posted twice.
local threads = {}

function setup(thread)
  thread:set("index", #threads)
  table.insert(threads, thread)
end

function init(args)
  local count = tonumber(args[2])
  tokens = {}
  local line_number = 0
  for line in io.lines(args[1]) do
    if line_number % count == index then tokens[#tokens + 1] = line end
    line_number = line_number + 1
  end
  sent = 0
  kept = 0
  refused = 0
end

function request()
  sent = sent + 1
  local token = tokens[(sent - 1) % #tokens + 1]
  local player = string.format("%08x%08x%016x", index, sent, 0)
  local body = '{"token":"' .. token .. '","player":"' .. player .. '","name":[' .. (sent % 256) .. ',' .. index .. ']}'
  return wrk.format("POST", "/v1/runs", {["Content-Type"] = "application/json"}, body)
end

function response(status)
  if status == 201 then kept = kept + 1 else refused = refused + 1 end
end

function done(summary, latency)
  local total_kept, total_refused = 0, 0
  for _, thread in ipairs(threads) do
    total_kept = total_kept + thread:get("kept")
    total_refused = total_refused + thread:get("refused")
  end
  local seconds = summary.duration / 1e6
  io.write(string.format("rate %.1f\nkept %d\nrefused %d\nerrors %d\np50_ms %.2f\np99_ms %.2f\n",
    total_kept / seconds, total_kept, total_refused,
    summary.errors.connect + summary.errors.read + summary.errors.write + summary.errors.timeout,
    latency:percentile(50) / 1000, latency:percentile(99) / 1000))
end
