// The page's own words (outside the game's frame), in the page's language:
// msgids of the game's catalogue, translated through QUANDREL_TRANSLATIONS,
// which the build makes from po/ (make_page_texts.py).
var QuandrelTexts = {
  elsewhere: '游戏已在另一个标签页中打开。',
  playHere: '在这里玩',
  moved: '游戏已转到另一个标签页。',
  nothingKept: '此浏览器不保存数据：关闭页面后设置会丢失。',
  copied: '已复制',
  keptAside: '存档文件{file}已损坏或来自更新的版本，已另存为{file}.bad，游戏不用它重新开始。',
  description: 'Quandrel：调色益智游戏。把颜料喷进十支试管，调出颜色，集齐钥匙，闯过十关。首次访问后可离线游玩。',

  // The text of `name` in the page's language; the msgid where none is translated.
  get: function(name) {
    var msgid = QuandrelTexts[name];
    var table = QUANDREL_TRANSLATIONS[Module['language']];
    return (table && table[msgid]) || msgid;
  },

  // The page's description (index.html has the English one) in the page's language.
  describe: function() {
    var meta = document.querySelector('meta[name="description"]');
    if (meta) meta.content = QuandrelTexts.get('description');
  },
};
QuandrelTexts.describe();
