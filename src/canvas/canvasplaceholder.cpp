// The canvas library collects the painters and widgets of the notation canvas.
