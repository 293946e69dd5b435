-- What the leaderboard's wrk scripts share, loaded by each with dofile: the
-- threads numbered from 0 (`index` in each), the answers counted, and the
-- summary over all threads.
local threads = {}

function setup(thread)
  thread:set("index", #threads)
  table.insert(threads, thread)
end

-- Counts each answer of status `wanted` under the name `counted` ("kept"),
-- any other as refused; when done, writes "rate" (of the counted answers a
-- second), `counted`, "refused", "errors", "p50_ms" and "p99_ms", a line each.
function count_answers(wanted, counted)
  _G[counted] = 0
  refused = 0

  function response(status)
    if status == wanted then _G[counted] = _G[counted] + 1 else refused = refused + 1 end
  end

  function done(summary, latency)
    local total_counted, total_refused = 0, 0
    for _, thread in ipairs(threads) do
      total_counted = total_counted + thread:get(counted)
      total_refused = total_refused + thread:get("refused")
    end
    local seconds = summary.duration / 1e6
    io.write(string.format("rate %.1f\n" .. counted .. " %d\nrefused %d\nerrors %d\np50_ms %.2f\np99_ms %.2f\n",
      total_counted / seconds, total_counted, total_refused,
      summary.errors.connect + summary.errors.read + summary.errors.write + summary.errors.timeout,
      latency:percentile(50) / 1000, latency:percentile(99) / 1000))
  end
end
